// The shell's key copy, key delete and value delete done with the registry's
// own calls, for systems whose shlwapi.dll lacks them (SHCopyKeyA needs
// version 5.0), and for the native registry view on 64-bit Windows, which
// the shell's functions cannot reach. Same order and results: subkeys before
// values, stop at the first failure.
#include "platform/win32/scratch_bytes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/wow64.h"

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

// RegCreateKeyA, which takes no view, or its equal with the view's flag.
LONG CreateSubKey(HKEY parent, LPCSTR name, REGSAM view, OpenedKey& key) {
    if (view == 0) return ::RegCreateKeyA(parent, name, key.Out());
    return ::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_ALL_ACCESS | view, nullptr, key.Out(), nullptr);
}

// RegDeleteKeyA cannot reach another view; RegDeleteKeyExA can.
LONG DeleteEmptyKey(HKEY parent, LPCSTR name, REGSAM view) {
    if (view == 0) return ::RegDeleteKeyA(parent, name);
    const Wow64Calls::DeleteKeyFunction deleteKeyEx = Wow64().deleteKeyEx;
    if (deleteKeyEx == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
    return deleteKeyEx(parent, name, view, 0);
}

DWORD CopyContent(HKEY source, HKEY destination, REGSAM view) {
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
        result = ::RegOpenKeyExA(source, name, 0, KEY_READ | view, from.Out());
        if (result != ERROR_SUCCESS) return result;
        result = CreateSubKey(destination, name, view, to);
        if (result != ERROR_SUCCESS) return result;
        result = CopyContent(from.Get(), to.Get(), view);
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

DWORD CopyKeyByHand(HKEY source, LPCSTR subKey, HKEY destination, REGSAM view) {
    if (source == nullptr || destination == nullptr) return ERROR_INVALID_PARAMETER;
    if (subKey == nullptr) return CopyContent(source, destination, view);
    OpenedKey from;
    DWORD result = ::RegOpenKeyExA(source, subKey, 0, KEY_ALL_ACCESS | view, from.Out());
    if (result != ERROR_SUCCESS) return result;
    return CopyContent(from.Get(), destination, view);
}

DWORD DeleteKeyByHand(HKEY root, LPCSTR subKey, REGSAM view) {
    OpenedKey key;
    DWORD result = ::RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS | view, key.Out());
    if (result != ERROR_SUCCESS) return result;
    // Always the first subkey: each one deleted moves the next to the front.
    for (;;) {
        char name[kMaxKeyNameBuffer];
        DWORD length = sizeof name;
        result = ::RegEnumKeyExA(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) return result;
        result = DeleteKeyByHand(key.Get(), name, view);
        if (result != ERROR_SUCCESS) return result;
    }
    return DeleteEmptyKey(root, subKey, view);
}

DWORD DeleteValueByHand(HKEY root, LPCSTR subKey, LPCSTR value, REGSAM view) {
    OpenedKey key;
    DWORD result = ::RegOpenKeyExA(root, subKey, 0, KEY_SET_VALUE | view, key.Out());
    if (result != ERROR_SUCCESS) return result;
    return ::RegDeleteValueA(key.Get(), value);
}

}  // namespace platform::win32
