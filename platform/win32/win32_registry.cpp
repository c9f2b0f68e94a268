// The real registry behind the seam. Every call that can fail part-way is made
// into scratch memory first, so a failed call leaves the caller's outputs as
// they were, as the seam promises.
#include "platform/win32/win32_registry.h"

#include <cstring>

#include "platform/win32/scratch_bytes.h"
#include "platform/win32/registry_calls.h"

namespace platform::win32 {

static_assert(kErrorSuccess == ERROR_SUCCESS && kErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
              kErrorAccessDenied == ERROR_ACCESS_DENIED &&
              kErrorInvalidHandle == ERROR_INVALID_HANDLE &&
              kErrorNotEnoughMemory == ERROR_NOT_ENOUGH_MEMORY &&
              kErrorInvalidParameter == ERROR_INVALID_PARAMETER &&
              kErrorCallNotImplemented == ERROR_CALL_NOT_IMPLEMENTED &&
              kErrorAlreadyExists == ERROR_ALREADY_EXISTS && kErrorMoreData == ERROR_MORE_DATA &&
              kErrorNoMoreItems == ERROR_NO_MORE_ITEMS && kErrorKeyDeleted == ERROR_KEY_DELETED &&
              kErrorNoUnicodeTranslation == ERROR_NO_UNICODE_TRANSLATION);
static_assert(kKeyQueryValue == KEY_QUERY_VALUE && kKeySetValue == KEY_SET_VALUE &&
              kKeyCreateSubKey == KEY_CREATE_SUB_KEY &&
              kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS && kKeyRead == KEY_READ &&
              kKeyWrite == KEY_WRITE && kKeyAllAccess == KEY_ALL_ACCESS);
static_assert(kRegNone == REG_NONE && kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ &&
              kRegBinary == REG_BINARY && kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ);

namespace {

// A scratch copy for a caller's buffer of `size` bytes; at least one byte, so
// that a data pointer is passed and the call fails as it would on the
// caller's own empty buffer.
std::size_t ScratchSize(std::uint32_t size) { return size == 0 ? 1 : size; }

HKEY RootKey(RegRoot root) {
    return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

Win32Registry::Win32Registry(ShellFunctions shell, View view)
    : shell_(shell == ShellFunctions::kUse && view == View::kProgram ? ::LoadLibraryA("shlwapi.dll")
                                                                      : nullptr),
      view_(view) {
    copyKey_ = LookUp<CopyKeyFunction>(shell_.Get(), "SHCopyKeyA");
    deleteKey_ = LookUp<DeleteKeyFunction>(shell_.Get(), "SHDeleteKeyA");
    deleteValue_ = LookUp<DeleteValueFunction>(shell_.Get(), "SHDeleteValueA");
}

HKEY Win32Registry::NativeHandle(const RegKey& key) const {
    if (!Owns(key)) return nullptr;
    return reinterpret_cast<HKEY>(Registry::HandleOf(key));
}

RegResult Win32Registry::CloseHandle(std::uintptr_t handle) noexcept {
    return ::RegCloseKey(reinterpret_cast<HKEY>(handle));
}

// Takes the result of an open or create call already made. Never pass that
// call and its output handle as arguments of one call: the order in which
// arguments are evaluated is unspecified, and the handle may be read before
// the call writes it (MinGW's i686 build does exactly that).
RegResult Win32Registry::Adopt(LONG result, HKEY handle, RegKey& key) {
    if (result == ERROR_SUCCESS) key = MakeKey(reinterpret_cast<std::uintptr_t>(handle));
    return result;
}

RegResult Win32Registry::OpenKey(RegRoot root, const char* path, AccessMask access, RegKey& key) {
    HKEY handle = nullptr;
    const LONG result = ::RegOpenKeyExA(RootKey(root), path, 0, access | ViewFlag(), &handle);
    return Adopt(result, handle, key);
}

RegResult Win32Registry::CreateKey(RegRoot root, const char* path, RegKey& key) {
    // RegCreateKeyA takes no view; with one, the full access it asks for.
    if (view_ == View::kNative) return CreateKeyEx(root, path, KEY_ALL_ACCESS, key);
    HKEY handle = nullptr;
    const LONG result = ::RegCreateKeyA(RootKey(root), path, &handle);
    return Adopt(result, handle, key);
}

RegResult Win32Registry::CreateKeyEx(RegRoot root, const char* path, AccessMask access,
                                     RegKey& key) {
    HKEY handle = nullptr;
    DWORD disposition = 0;
    const LONG result = ::RegCreateKeyExA(RootKey(root), path, 0, nullptr,
                                          REG_OPTION_NON_VOLATILE, access | ViewFlag(), nullptr, &handle,
                                          &disposition);
    return Adopt(result, handle, key);
}

RegResult Win32Registry::QueryValue(const RegKey& key, const char* name, ValueType* type,
                                    void* data, std::uint32_t* dataSize) {
    HKEY handle = NativeHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    const ScratchBytes scratch(data != nullptr ? ScratchSize(*dataSize) : 0);
    if (scratch.Failed()) return ERROR_NOT_ENOUGH_MEMORY;
    DWORD gotType = 0;
    DWORD size = dataSize != nullptr ? *dataSize : 0;
    LONG result = ::RegQueryValueExA(handle, name, nullptr, &gotType, scratch.Data(),
                                     dataSize != nullptr ? &size : nullptr);
    if (result != ERROR_SUCCESS) return result;
    if (data != nullptr && size > 0) std::memcpy(data, scratch.Data(), size);
    if (type != nullptr) *type = gotType;
    if (dataSize != nullptr) *dataSize = size;
    return ERROR_SUCCESS;
}

RegResult Win32Registry::SetValue(const RegKey& key, const char* name, ValueType type,
                                  const void* data, std::uint32_t dataSize) {
    HKEY handle = NativeHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    return ::RegSetValueExA(handle, name, 0, type, static_cast<const BYTE*>(data), dataSize);
}

RegResult Win32Registry::DeleteValue(const RegKey& key, const char* name) {
    HKEY handle = NativeHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    return ::RegDeleteValueA(handle, name);
}

RegResult Win32Registry::EnumValue(const RegKey& key, std::uint32_t index, char* name,
                                   std::uint32_t* nameLength, ValueType* type, void* data,
                                   std::uint32_t* dataSize) {
    HKEY handle = NativeHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    if (name == nullptr || nameLength == nullptr || *nameLength == 0) {
        return ERROR_INVALID_PARAMETER;
    }
    if (data != nullptr && dataSize == nullptr) return ERROR_INVALID_PARAMETER;
    const ScratchBytes nameScratch(*nameLength);
    const ScratchBytes dataScratch(data != nullptr ? ScratchSize(*dataSize) : 0);
    if (nameScratch.Failed() || dataScratch.Failed()) return ERROR_NOT_ENOUGH_MEMORY;
    DWORD length = *nameLength;
    DWORD gotType = 0;
    DWORD size = dataSize != nullptr ? *dataSize : 0;
    LONG result = ::RegEnumValueA(handle, index, reinterpret_cast<char*>(nameScratch.Data()),
                                  &length, nullptr, &gotType, dataScratch.Data(),
                                  dataSize != nullptr ? &size : nullptr);
    if (result != ERROR_SUCCESS) return result;
    if (length >= *nameLength) return ERROR_MORE_DATA;  // no room left for the terminator
    std::memcpy(name, nameScratch.Data(), length);
    name[length] = '\0';
    *nameLength = length;
    if (type != nullptr) *type = gotType;
    if (data != nullptr && size > 0) std::memcpy(data, dataScratch.Data(), size);
    if (dataSize != nullptr) *dataSize = size;
    return ERROR_SUCCESS;
}

RegResult Win32Registry::CopyValue(const RegKey& source, std::uint32_t index,
                                   const RegKey& destination) {
    HKEY from = NativeHandle(source);
    HKEY to = NativeHandle(destination);
    if (from == nullptr || to == nullptr) return ERROR_INVALID_HANDLE;
    const RegistryCalls& calls = SystemRegistryCalls();
    wchar_t name[kMaxCopiedNameUnits + 1];
    DWORD length = kMaxCopiedNameUnits + 1;
    BYTE data[kMaxCopiedDataBytes];
    DWORD size = sizeof data;
    DWORD type = 0;
    LONG result = calls.enumValue(from, index, name, &length, nullptr, &type, data, &size);
    if (result != ERROR_SUCCESS) return result;
    return calls.setValue(to, name, 0, type, data, size);
}

RegResult Win32Registry::CheckAnsiName(const RegKey& key, std::uint32_t index) {
    HKEY handle = NativeHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    const RegistryCalls& calls = SystemRegistryCalls();
    wchar_t name[kMaxCopiedNameUnits + 1];
    DWORD length = kMaxCopiedNameUnits + 1;
    LONG result = calls.enumValue(handle, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    // The A calls are the registry's own on the 9x family.
    if (result != ERROR_SUCCESS || !calls.Wide() || length == 0) return result;
    // The name there and back as the A calls convert it: the same name only
    // when every character has a form of its own.
    char ansi[2 * kMaxCopiedNameUnits];
    const int ansiLength = calls.toAnsi(CP_ACP, 0, name, static_cast<int>(length), ansi,
                                        sizeof ansi, nullptr, nullptr);
    wchar_t back[kMaxCopiedNameUnits];
    const int backLength =
        ansiLength > 0 ? calls.toUnicode(CP_ACP, 0, ansi, ansiLength, back, kMaxCopiedNameUnits)
                       : 0;
    const bool same = backLength == static_cast<int>(length) &&
                      std::memcmp(back, name, length * sizeof(wchar_t)) == 0;
    return same ? ERROR_SUCCESS : ERROR_NO_UNICODE_TRANSLATION;
}

RegResult Win32Registry::CopyTree(const RegKey& source, const RegKey& destination) {
    HKEY from = NativeHandle(source);
    HKEY to = NativeHandle(destination);
    if (from == nullptr || to == nullptr) return ERROR_INVALID_PARAMETER;
    if (copyKey_ != nullptr) return static_cast<RegResult>(copyKey_(from, nullptr, to, 0));
    return static_cast<RegResult>(CopyKeyByHand(from, nullptr, to, ViewFlag()));
}

RegResult Win32Registry::CopyTree(RegRoot root, const char* sourcePath, const RegKey& destination) {
    HKEY to = NativeHandle(destination);
    if (to == nullptr) return ERROR_INVALID_PARAMETER;
    if (copyKey_ != nullptr) {
        return static_cast<RegResult>(copyKey_(RootKey(root), sourcePath, to, 0));
    }
    return static_cast<RegResult>(CopyKeyByHand(RootKey(root), sourcePath, to, ViewFlag()));
}

RegResult Win32Registry::DeleteTree(RegRoot root, const char* path) {
    if (deleteKey_ != nullptr) return static_cast<RegResult>(deleteKey_(RootKey(root), path));
    return static_cast<RegResult>(DeleteKeyByHand(RootKey(root), path, ViewFlag()));
}

RegResult Win32Registry::DeleteValueAt(RegRoot root, const char* path, const char* name) {
    if (deleteValue_ != nullptr) {
        return static_cast<RegResult>(deleteValue_(RootKey(root), path, name));
    }
    return static_cast<RegResult>(DeleteValueByHand(RootKey(root), path, name, ViewFlag()));
}

RegResult Win32Registry::SaveKey(const RegKey& key, const char* filePath) {
    HKEY handle = NativeHandle(key);
    if (handle == nullptr) return ERROR_INVALID_HANDLE;
    if (view_ == View::kNative) {
        NativeFilesScope nativeFiles;
        return ::RegSaveKeyA(handle, filePath, nullptr);
    }
    return ::RegSaveKeyA(handle, filePath, nullptr);
}

}  // namespace platform::win32
