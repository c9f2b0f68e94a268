// The shell's key copy, key delete and value delete done with the registry's
// own calls, for systems whose shlwapi.dll lacks them (SHCopyKeyA needs
// version 5.0). Same order and results: subkeys before values, stop at the
// first failure.
#include "platform/win32/scratch_bytes.h"
#include "platform/win32/win32_registry.h"

namespace platform::win32 {

namespace {

// Closes a key this file opened.
class OpenedKey {
  public:
    OpenedKey() = default;
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    ~OpenedKey() {
        if (key_ != nullptr) ::RegCloseKey(key_);
    }
    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

constexpr DWORD kMaxKeyNameBuffer = 256;

DWORD CopyContent(HKEY source, HKEY destination) {
    DWORD subKeys = 0;
    DWORD values = 0;
    DWORD maxValueName = 0;
    DWORD maxData = 0;
    DWORD result = ::RegQueryInfoKeyA(source, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                      &values, &maxValueName, &maxData, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return result;
    for (DWORD i = 0; i < subKeys; ++i) {
        char name[kMaxKeyNameBuffer];
        DWORD length = sizeof name;
        result = ::RegEnumKeyExA(source, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) return result;
        OpenedKey from;
        OpenedKey to;
        result = ::RegOpenKeyExA(source, name, 0, KEY_READ, from.Out());
        if (result != ERROR_SUCCESS) return result;
        result = ::RegCreateKeyA(destination, name, to.Out());
        if (result != ERROR_SUCCESS) return result;
        result = CopyContent(from.Get(), to.Get());
        if (result != ERROR_SUCCESS) return result;
    }
    const ScratchBytes name(maxValueName + 1);
    const ScratchBytes data(maxData + 1);
    if (name.Failed() || data.Failed()) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = 0; i < values; ++i) {
        char* const valueName = reinterpret_cast<char*>(name.Data());
        DWORD length = static_cast<DWORD>(name.Size());
        DWORD size = static_cast<DWORD>(data.Size());
        DWORD type = 0;
        result = ::RegEnumValueA(source, i, valueName, &length, nullptr, &type, data.Data(), &size);
        if (result != ERROR_SUCCESS) return result;
        result = ::RegSetValueExA(destination, valueName, 0, type, data.Data(), size);
        if (result != ERROR_SUCCESS) return result;
    }
    return ERROR_SUCCESS;
}

}  // namespace

DWORD CopyKeyByHand(HKEY source, LPCSTR subKey, HKEY destination) {
    if (source == nullptr || destination == nullptr) return ERROR_INVALID_PARAMETER;
    if (subKey == nullptr) return CopyContent(source, destination);
    OpenedKey from;
    DWORD result = ::RegOpenKeyExA(source, subKey, 0, KEY_ALL_ACCESS, from.Out());
    if (result != ERROR_SUCCESS) return result;
    return CopyContent(from.Get(), destination);
}

DWORD DeleteKeyByHand(HKEY root, LPCSTR subKey) {
    OpenedKey key;
    DWORD result = ::RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, key.Out());
    if (result != ERROR_SUCCESS) return result;
    // Always the first subkey: each one deleted moves the next to the front.
    for (;;) {
        char name[kMaxKeyNameBuffer];
        DWORD length = sizeof name;
        result = ::RegEnumKeyExA(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) return result;
        result = DeleteKeyByHand(key.Get(), name);
        if (result != ERROR_SUCCESS) return result;
    }
    return ::RegDeleteKeyA(root, subKey);
}

DWORD DeleteValueByHand(HKEY root, LPCSTR subKey, LPCSTR value) {
    OpenedKey key;
    DWORD result = ::RegOpenKeyExA(root, subKey, 0, KEY_SET_VALUE, key.Out());
    if (result != ERROR_SUCCESS) return result;
    return ::RegDeleteValueA(key.Get(), value);
}

}  // namespace platform::win32
