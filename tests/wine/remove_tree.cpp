// Scratch folder removal for the Windows-side tests.
#include "tests/wine/remove_tree.h"

#include <windows.h>

#include "platform/win32/unique_handles.h"

namespace winetest {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    platform::win32::UniqueFind find(::FindFirstFileA((folder + "\\*.*").c_str(), &data));
    if (find.Valid()) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(find.Get(), &data));
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace winetest
