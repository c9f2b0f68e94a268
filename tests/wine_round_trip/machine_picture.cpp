// Pictures of the real machine's registry and folders, their differences, and
// the way back to a pristine picture.
#include "tests/wine_round_trip/machine_picture.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/win32/unique_handles.h"
#include "tests/wine_round_trip/native_view.h"

namespace winetest {
namespace {

using platform::win32::UniqueFind;

// Files up to this size are compared byte for byte; larger ones (the
// prefix's own programs and libraries) by size and time of the last write.
constexpr DWORD kComparedBytes = 64 * 1024;
// How many differences a failure message shows.
constexpr std::size_t kListedDifferences = 8;
constexpr const char* kNameSeparator = " :: ";

struct KeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using UniqueKey = platform::win32::UniqueHandle<HKEY, nullptr, KeyCloser>;

std::string Printable(const std::string& bytes) {
    std::string out;
    char buffer[4];
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < ' ' || byte >= 0x7F || c == '%') {
            std::snprintf(buffer, sizeof buffer, "%%%02X", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out;
}

PictureEntry Entry(PictureEntry::Kind kind, HKEY root, const std::string& key,
                   const std::string& path, const std::string& what) {
    PictureEntry entry;
    entry.kind = kind;
    entry.root = root;
    entry.key = key;
    entry.path = path;
    entry.what = what;
    return entry;
}

std::string KeyPlace(HKEY root, const std::string& key) {
    return Lower(RootName(root) + "\\" + key);
}

std::string ValuePlace(HKEY root, const std::string& key, const std::string& name) {
    return KeyPlace(root, key) + kNameSeparator + Lower(name);
}

UniqueKey OpenKey(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExA(root, path.c_str(), 0, access | NativeKeyFlag(), &key);
    return UniqueKey(result == ERROR_SUCCESS ? key : nullptr);
}

// The key and its values; its subkeys whole, or by name only where `wholeIf`
// does not take them.
void PictureKey(HKEY root, const std::string& path, MachinePicture& picture,
                const std::function<bool(const std::string&)>& wholeIf = {}) {
    UniqueKey key = OpenKey(root, path, KEY_READ);
    if (!key.Valid()) return;
    picture[KeyPlace(root, path)] = Entry(PictureEntry::kKey, root, path, "", "key");
    DWORD subkeys = 0, maxSubkey = 0, values = 0, maxName = 0, maxData = 0;
    if (::RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr,
                           &values, &maxName, &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
        picture[KeyPlace(root, path)].what = "key that cannot be described";
        return;
    }
    std::string name(maxName + 1, '\0');
    std::string data(maxData + 1, '\0');
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameLength = maxName + 1;
        DWORD size = maxData + 1;
        DWORD type = 0;
        if (::RegEnumValueA(key.Get(), i, name.data(), &nameLength, nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
            picture[KeyPlace(root, path) + kNameSeparator + "#" + std::to_string(i)] =
                Entry(PictureEntry::kValue, root, path, "", "value that cannot be read");
            continue;
        }
        const std::string valueName(name.data(), nameLength);
        const std::string bytes(data.data(), size);
        PictureEntry entry = Entry(PictureEntry::kValue, root, path, "",
                                   "value " + std::to_string(type) + ":" + Printable(bytes));
        entry.name = valueName;
        entry.type = type;
        entry.bytes = bytes;
        picture[ValuePlace(root, path, valueName)] = entry;
    }
    std::string subkey(maxSubkey + 1, '\0');
    std::vector<std::string> below;
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD length = maxSubkey + 1;
        if (::RegEnumKeyExA(key.Get(), i, subkey.data(), &length, nullptr, nullptr, nullptr,
                            nullptr) == ERROR_SUCCESS) {
            below.push_back(std::string(subkey.data(), length));
        }
    }
    for (const std::string& child : below) {
        const std::string childPath = path + "\\" + child;
        if (!wholeIf || wholeIf(child)) {
            PictureKey(root, childPath, picture);
        } else {
            picture[KeyPlace(root, childPath)] = Entry(PictureEntry::kKey, root, childPath, "", "key");
        }
    }
}

std::string ReadAll(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    platform::win32::UniqueKernelObject owner(file);
    std::string contents;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) contents.append(chunk, got);
    return contents;
}

std::string Hex(DWORD number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%lx", static_cast<unsigned long>(number));
    return buffer;
}

void PictureFolder(const std::string& folder, bool whole, MachinePicture& picture) {
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    picture[folder] = Entry(PictureEntry::kFolder, nullptr, "", folder, "folder " + Hex(attributes));
    WIN32_FIND_DATAA data;
    UniqueFind find(::FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find.Valid()) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (whole) {
                PictureFolder(path, true, picture);
            } else {
                picture[path] = Entry(PictureEntry::kFolder, nullptr, "", path,
                                      "folder " + Hex(data.dwFileAttributes));
            }
            continue;
        }
        std::string what = "file " + Hex(data.dwFileAttributes) + " ";
        if (data.nFileSizeHigh == 0 && data.nFileSizeLow <= kComparedBytes) {
            what += "=" + Printable(ReadAll(path));
        } else {
            what += "size " + Hex(data.nFileSizeHigh) + ":" + Hex(data.nFileSizeLow) +
                    " written " + Hex(data.ftLastWriteTime.dwHighDateTime) + ":" +
                    Hex(data.ftLastWriteTime.dwLowDateTime);
        }
        picture[path] = Entry(PictureEntry::kFile, nullptr, "", path, what);
    } while (::FindNextFileA(find.Get(), &data));
}

void DeleteKeyTree(HKEY root, const std::string& path) {
    {
        UniqueKey key = OpenKey(root, path, KEY_READ);
        if (!key.Valid()) return;
        std::vector<std::string> below;
        char name[MAX_PATH * 2];
        for (DWORD i = 0;; ++i) {
            DWORD length = sizeof name;
            if (::RegEnumKeyExA(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            below.push_back(std::string(name, length));
        }
        for (const std::string& child : below) DeleteKeyTree(root, path + "\\" + child);
    }
    DeleteNativeKey(root, path);
}

// Opens or creates a key with every right the caller may have.
UniqueKey CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    const LONG result = ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0,
                                          MAXIMUM_ALLOWED | NativeKeyFlag(), nullptr, &key, nullptr);
    return UniqueKey(result == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

std::string RootName(HKEY root) { return root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU"; }

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

MachinePicture TakePicture(const PicturePlaces& places) {
    MachinePicture picture;
    for (const auto& [root, path] : places.keys) PictureKey(root, path, picture);
    for (const ListedKey& listed : places.listedKeys) {
        PictureKey(listed.root, listed.path, picture, listed.wholeIf);
    }
    NativeFiles asOnDisk;
    for (const std::string& tree : places.trees) PictureFolder(tree, true, picture);
    for (const std::string& folder : places.folders) PictureFolder(folder, false, picture);
    return picture;
}

std::vector<Difference> Differences(const MachinePicture& before, const MachinePicture& after) {
    std::vector<Difference> differences;
    for (const auto& [place, entry] : before) {
        const auto found = after.find(place);
        if (found == after.end()) {
            differences.push_back({place, entry, std::nullopt});
        } else if (found->second.what != entry.what) {
            differences.push_back({place, entry, found->second});
        }
    }
    for (const auto& [place, entry] : after) {
        if (before.count(place) == 0) differences.push_back({place, std::nullopt, entry});
    }
    return differences;
}

std::string Describe(const Difference& difference) {
    if (!difference.before) return "new: " + difference.place + " " + difference.after->what;
    if (!difference.after) return "gone: " + difference.place + " " + difference.before->what;
    return "changed: " + difference.place + " " + difference.before->what + " -> " +
           difference.after->what;
}

std::string Listed(const std::vector<Difference>& differences) {
    std::string text;
    for (std::size_t i = 0; i < differences.size() && i < kListedDifferences; ++i) {
        text += "\n  " + Describe(differences[i]);
    }
    if (differences.size() > kListedDifferences) {
        text += "\n  ... " + std::to_string(differences.size() - kListedDifferences) + " more";
    }
    return text;
}

std::vector<Difference> ResetTo(const MachinePicture& pristine, const PicturePlaces& places) {
    const MachinePicture now = TakePicture(places);
    NativeFiles asOnDisk;
    std::vector<std::string> newFolders;
    std::vector<PictureEntry> newKeys;
    for (const Difference& difference : Differences(pristine, now)) {
        const PictureEntry* after = difference.after ? &*difference.after : nullptr;
        const PictureEntry* before = difference.before ? &*difference.before : nullptr;
        if (before == nullptr && after->kind == PictureEntry::kFile) {
            ::SetFileAttributesA(after->path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(after->path.c_str());
        } else if (before == nullptr && after->kind == PictureEntry::kFolder) {
            newFolders.push_back(after->path);
        } else if (before == nullptr && after->kind == PictureEntry::kKey) {
            newKeys.push_back(*after);
        } else if (before == nullptr && after->kind == PictureEntry::kValue) {
            UniqueKey key = OpenKey(after->root, after->key, KEY_SET_VALUE);
            if (key.Valid()) ::RegDeleteValueA(key.Get(), after->name.c_str());
        } else if (before != nullptr && before->kind == PictureEntry::kKey) {
            CreateKey(before->root, before->key);
        } else if (before != nullptr && before->kind == PictureEntry::kValue) {
            UniqueKey key = CreateKey(before->root, before->key);
            if (key.Valid()) {
                ::RegSetValueExA(key.Get(), before->name.c_str(), 0, before->type,
                                 reinterpret_cast<const BYTE*>(before->bytes.data()),
                                 static_cast<DWORD>(before->bytes.size()));
            }
        }
    }
    for (const PictureEntry& key : newKeys) DeleteKeyTree(key.root, key.key);
    // The deepest first: a folder goes only once it is empty.
    std::sort(newFolders.begin(), newFolders.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& folder : newFolders) {
        ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::RemoveDirectoryA(folder.c_str());
    }
    return Differences(pristine, TakePicture(places));
}

}  // namespace winetest
