// Seeding a machine description into the real registry and files.
#include "tests/wine_round_trip/machine_seed.h"

#include "platform/win32/unique_handles.h"
#include "tests/wine_round_trip/native_view.h"

namespace winetest {
namespace {

struct KeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using UniqueKey = platform::win32::UniqueHandle<HKEY, nullptr, KeyCloser>;

bool WriteRegistryItem(const test::RegistryItem& item) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(RootKey(item.root), item.key.c_str(), 0, nullptr, 0,
                          MAXIMUM_ALLOWED | NativeKeyFlag(), nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    UniqueKey owner(key);
    return !item.isValue ||
           ::RegSetValueExA(key, item.name.c_str(), 0, item.type,
                            reinterpret_cast<const BYTE*>(item.data.data()),
                            static_cast<DWORD>(item.data.size())) == ERROR_SUCCESS;
}

// Creates every folder above `path`, from the drive down.
void MakeParents(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    for (std::size_t at = path.find('\\', 3); at != std::string::npos && at <= last;
         at = path.find('\\', at + 1)) {
        ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
}

bool WriteFileItem(const test::FileItem& item) {
    MakeParents(item.path);
    if (item.isFolder) {
        ::CreateDirectoryA(item.path.c_str(), nullptr);
    } else {
        // A file described twice: the later one stands.
        ::SetFileAttributesA(item.path.c_str(), FILE_ATTRIBUTE_NORMAL);
        HANDLE file = ::CreateFileA(item.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        platform::win32::UniqueKernelObject owner(file);
        DWORD written = 0;
        if (!::WriteFile(file, item.contents.data(), static_cast<DWORD>(item.contents.size()),
                         &written, nullptr) ||
            written != item.contents.size()) {
            return false;
        }
    }
    const DWORD attributes = AttributesOf(item.attributes);
    return attributes == 0 || ::SetFileAttributesA(item.path.c_str(), attributes);
}

}  // namespace

HKEY RootKey(platform::RegRoot root) {
    return root == platform::RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

DWORD AttributesOf(const std::string& letters) {
    DWORD attributes = 0;
    for (char letter : letters) {
        if (letter == 'R') attributes |= FILE_ATTRIBUTE_READONLY;
        if (letter == 'H') attributes |= FILE_ATTRIBUTE_HIDDEN;
        if (letter == 'S') attributes |= FILE_ATTRIBUTE_SYSTEM;
        if (letter == 'A') attributes |= FILE_ATTRIBUTE_ARCHIVE;
    }
    return attributes;
}

std::string SeedMachine(const test::MachineDescription& machine) {
    for (const test::RegistryItem& item : machine.Registry()) {
        if (!WriteRegistryItem(item)) return "registry: " + item.key + " :: " + item.name;
    }
    NativeFiles asOnDisk;
    for (const test::FileItem& file : machine.Files()) {
        if (!WriteFileItem(file)) return "file: " + file.path;
    }
    return "";
}

bool Stands(const test::FileItem& file) {
    NativeFiles asOnDisk;
    return ::GetFileAttributesA(file.path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Stands(const test::RegistryItem& value) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(RootKey(value.root), value.key.c_str(), 0, KEY_QUERY_VALUE | NativeKeyFlag(),
                        &key) != ERROR_SUCCESS) {
        return false;
    }
    UniqueKey owner(key);
    return ::RegQueryValueExA(key, value.name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

}  // namespace winetest
