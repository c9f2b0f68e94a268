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

// The same for a key the caller names: A text, which the A calls convert to
// the registry's Unicode as the W calls would take it.
LONG DeleteNamedKey(HKEY parent, LPCSTR name, REGSAM view) {
    if (view == 0) return ::RegDeleteKeyA(parent, name);
    const Wow64Calls::DeleteKeyFunction deleteKeyEx = Wow64().deleteKeyEx;
    if (deleteKeyEx == nullptr) return ERROR_CALL_NOT_IMPLEMENTED;
    return deleteKeyEx(parent, name, view, 0);
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

// Deletes every key below `key`, children first. Always the first subkey:
// each one deleted moves the next to the front.
DWORD DeleteSubkeys(const RegistryCalls& calls, HKEY key, REGSAM view) {
    for (;;) {
        wchar_t name[kMaxKeyNameBuffer];
        DWORD length = kMaxKeyNameBuffer;
        DWORD result = calls.enumKey(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS) return result;
        OpenedKey child;
        result = calls.openKey(key, name, 0, KEY_ALL_ACCESS | view, child.Out());
        if (result != ERROR_SUCCESS) return result;
        result = DeleteSubkeys(calls, child.Get(), view);
        if (result != ERROR_SUCCESS) return result;
        result = DeleteEmptyKey(calls, key, name, view);
        if (result != ERROR_SUCCESS) return result;
    }
}

}  // namespace

// The keys the caller names are opened by their A text, which converts to
// the registry's Unicode exactly; what lies below them is reached by the
// names the registry gives, through the system's calls.
DWORD CopyKeyByHand(HKEY source, LPCSTR subKey, HKEY destination, REGSAM view) {
    if (source == nullptr || destination == nullptr) return ERROR_INVALID_PARAMETER;
    const RegistryCalls& calls = SystemRegistryCalls();
    if (subKey == nullptr) return CopyContent(calls, source, destination, view);
    OpenedKey from;
    DWORD result = ::RegOpenKeyExA(source, subKey, 0, KEY_ALL_ACCESS | view, from.Out());
    if (result != ERROR_SUCCESS) return result;
    return CopyContent(calls, from.Get(), destination, view);
}

DWORD DeleteKeyByHand(HKEY root, LPCSTR subKey, REGSAM view) {
    OpenedKey key;
    DWORD result = ::RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS | view, key.Out());
    if (result != ERROR_SUCCESS) return result;
    result = DeleteSubkeys(SystemRegistryCalls(), key.Get(), view);
    if (result != ERROR_SUCCESS) return result;
    return DeleteNamedKey(root, subKey, view);
}

DWORD DeleteValueByHand(HKEY root, LPCSTR subKey, LPCSTR value, REGSAM view) {
    OpenedKey key;
    DWORD result = ::RegOpenKeyExA(root, subKey, 0, KEY_SET_VALUE | view, key.Out());
    if (result != ERROR_SUCCESS) return result;
    return ::RegDeleteValueA(key.Get(), value);
}

}  // namespace platform::win32
