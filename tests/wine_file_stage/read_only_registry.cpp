// Opening and reading keys of the real registry for the file-stage tests.
#include "tests/wine_file_stage/read_only_registry.h"

#include <windows.h>

namespace winetest {
namespace {

using platform::RegResult;

constexpr RegResult kNotHere = platform::kErrorCallNotImplemented;

HKEY RootOf(platform::RegRoot root) {
    return root == platform::RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

}  // namespace

RegResult ReadOnlyRegistry::OpenKey(platform::RegRoot root, const char* path,
                                    platform::AccessMask access, platform::RegKey& key) {
    HKEY opened = nullptr;
    RegResult result = ::RegOpenKeyExA(RootOf(root), path, 0, access, &opened);
    if (result == platform::kErrorSuccess) key = MakeKey(reinterpret_cast<std::uintptr_t>(opened));
    return result;
}

RegResult ReadOnlyRegistry::QueryValue(const platform::RegKey& key, const char* name,
                                       platform::ValueType* type, void* data,
                                       std::uint32_t* dataSize) {
    if (!Owns(key)) return platform::kErrorInvalidHandle;
    DWORD kind = 0, size = dataSize ? *dataSize : 0;
    RegResult result = ::RegQueryValueExA(reinterpret_cast<HKEY>(HandleOf(key)), name, nullptr,
                                          &kind, static_cast<BYTE*>(data), dataSize ? &size : nullptr);
    if (result != platform::kErrorSuccess) return result;
    if (type) *type = kind;
    if (dataSize) *dataSize = size;
    return result;
}

RegResult ReadOnlyRegistry::CloseHandle(std::uintptr_t handle) noexcept {
    return ::RegCloseKey(reinterpret_cast<HKEY>(handle));
}

RegResult ReadOnlyRegistry::CreateKey(platform::RegRoot, const char*, platform::RegKey&) {
    return kNotHere;
}
RegResult ReadOnlyRegistry::CreateKeyEx(platform::RegRoot, const char*, platform::AccessMask,
                                        platform::RegKey&) {
    return kNotHere;
}
RegResult ReadOnlyRegistry::SetValue(const platform::RegKey&, const char*, platform::ValueType,
                                     const void*, std::uint32_t) {
    return kNotHere;
}
RegResult ReadOnlyRegistry::DeleteValue(const platform::RegKey&, const char*) { return kNotHere; }
RegResult ReadOnlyRegistry::EnumValue(const platform::RegKey&, std::uint32_t, char*,
                                      std::uint32_t*, platform::ValueType*, void*,
                                      std::uint32_t*) {
    return kNotHere;
}
RegResult ReadOnlyRegistry::CopyTree(const platform::RegKey&, const platform::RegKey&) {
    return kNotHere;
}
RegResult ReadOnlyRegistry::CopyTree(platform::RegRoot, const char*, const platform::RegKey&) {
    return kNotHere;
}
RegResult ReadOnlyRegistry::DeleteTree(platform::RegRoot, const char*) { return kNotHere; }
RegResult ReadOnlyRegistry::DeleteValueAt(platform::RegRoot, const char*, const char*) {
    return kNotHere;
}
RegResult ReadOnlyRegistry::SaveKey(const platform::RegKey&, const char*) { return kNotHere; }

}  // namespace winetest
