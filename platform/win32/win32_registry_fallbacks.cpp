// The shell's key copy, key delete and value delete done with the registry's
// own calls, for systems whose shlwapi.dll lacks them (SHCopyKeyA needs
// version 5.0), and for the native registry view on 64-bit Windows, which
// the shell's functions cannot reach. Same order and results: subkeys before
// values, stop at the first failure. On the NT family through the Unicode
// calls, so that names and text without an ANSI form stay as they are.
#include "platform/win32/scratch_bytes.h"
#include "platform/win32/registry_calls.h"
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

// The create with full access that RegCreateKeyA makes, with the view's flag.
LONG CreateSubKey(const RegistryCalls& calls, HKEY parent, const void* name, REGSAM view,
                  OpenedKey& key) {
    return calls.createKey(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | view,
                           nullptr, key.Out(), nullptr);
}

// RegDeleteKey cannot reach another view; RegDeleteKeyEx can.
LONG DeleteEmptyKey(const RegistryCalls& calls, HKEY parent, const void* name, REGSAM view) {
    if (view == 0) return calls.deleteKey(parent, name);
    if (calls.deleteKeyEx == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
    return calls.deleteKeyEx(parent, name, view, 0);
}

DWORD CopyContent(const RegistryCalls& calls, HKEY source, HKEY destination, REGSAM view) {
    DWORD subKeys = 0;
    DWORD values = 0;
    DWORD maxValueName = 0;
    DWORD maxData = 0;
    DWORD result = calls.queryInfoKey(source, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                      &values, &maxValueName, &maxData, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return result;
    for (DWORD i = 0; i < subKeys; ++i) {
        wchar_t name[kMaxKeyNameBuffer];
        DWORD length = kMaxKeyNameBuffer;
        result = calls.enumKey(source, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) return result;
        OpenedKey from;
        OpenedKey to;
        result = calls.openKey(source, name, 0, KEY_READ | view, from.Out());
        if (result != ERROR_SUCCESS) return result;
        result = CreateSubKey(calls, destination, name, view, to);
        if (result != ERROR_SUCCESS) return result;
        result = CopyContent(calls, from.Get(), to.Get(), view);
        if (result != ERROR_SUCCESS) return result;
    }
    const ScratchBytes name((maxValueName + 1) * sizeof(wchar_t));
    const ScratchBytes data(maxData + 1);
    if (name.Failed() || data.Failed()) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD i = 0; i < values; ++i) {
        DWORD length = maxValueName + 1;
        DWORD size = static_cast<DWORD>(data.Size());
        DWORD type = 0;
        result = calls.enumValue(source, i, name.Data(), &length, nullptr, &type, data.Data(), &size);
        if (result != ERROR_SUCCESS) return result;
        result = calls.setValue(destination, name.Data(), 0, type, data.Data(), size);
        if (result != ERROR_SUCCESS) return result;
    }
    return ERROR_SUCCESS;
}

DWORD DeleteKey(const RegistryCalls& calls, HKEY root, const void* subKey, REGSAM view) {
    OpenedKey key;
    DWORD result = calls.openKey(root, subKey, 0, KEY_ALL_ACCESS | view, key.Out());
    if (result != ERROR_SUCCESS) return result;
    // Always the first subkey: each one deleted moves the next to the front.
    for (;;) {
        wchar_t name[kMaxKeyNameBuffer];
        DWORD length = kMaxKeyNameBuffer;
        result = calls.enumKey(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) return result;
        result = DeleteKey(calls, key.Get(), name, view);
        if (result != ERROR_SUCCESS) return result;
    }
    return DeleteEmptyKey(calls, root, subKey, view);
}

}  // namespace

DWORD CopyKeyByHand(HKEY source, LPCSTR subKey, HKEY destination, REGSAM view) {
    if (source == nullptr || destination == nullptr) return ERROR_INVALID_PARAMETER;
    const RegistryCalls& calls = SystemRegistryCalls();
    if (subKey == nullptr) return CopyContent(calls, source, destination, view);
    const SystemText name(calls, subKey);
    if (name.Failed()) return ERROR_INVALID_PARAMETER;
    OpenedKey from;
    DWORD result = calls.openKey(source, name.Get(), 0, KEY_ALL_ACCESS | view, from.Out());
    if (result != ERROR_SUCCESS) return result;
    return CopyContent(calls, from.Get(), destination, view);
}

DWORD DeleteKeyByHand(HKEY root, LPCSTR subKey, REGSAM view) {
    const RegistryCalls& calls = SystemRegistryCalls();
    const SystemText name(calls, subKey);
    if (name.Failed()) return ERROR_INVALID_PARAMETER;
    return DeleteKey(calls, root, name.Get(), view);
}

DWORD DeleteValueByHand(HKEY root, LPCSTR subKey, LPCSTR value, REGSAM view) {
    const RegistryCalls& calls = SystemRegistryCalls();
    const SystemText keyName(calls, subKey);
    const SystemText valueName(calls, value);
    if (keyName.Failed() || valueName.Failed()) return ERROR_INVALID_PARAMETER;
    OpenedKey key;
    DWORD result = calls.openKey(root, keyName.Get(), 0, KEY_SET_VALUE | view, key.Out());
    if (result != ERROR_SUCCESS) return result;
    return calls.deleteValue(key.Get(), valueName.Get());
}

}  // namespace platform::win32
