// Scratch places and file pictures over the platform's own calls, apart from
// the backend under test.
#include "tests/wine_file_stage/wine_scratch.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace winetest {
namespace {

// The attributes a picture shows: those the file stage keeps.
constexpr DWORD kShownAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::string ReadAll(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string contents;
    char chunk[256];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        contents.append(chunk, got);
    ::CloseHandle(file);
    return contents;
}

void Collect(const std::string& folder, const std::string& prefix,
             std::vector<std::string>& lines) {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            lines.push_back(prefix + name + "\\");
            Collect(path, prefix + name + "\\", lines);
        } else {
            lines.push_back(prefix + name + "=" + ReadAll(path) + "/" +
                            std::to_string(data.dwFileAttributes & kShownAttributes));
        }
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

}  // namespace


bool WriteFile(const std::string& path, const std::string& contents, unsigned long attributes) {
    std::size_t cut = path.rfind('\\');
    for (std::size_t at = path.find('\\', 3); at != std::string::npos && at <= cut;
         at = path.find('\\', at + 1))
        ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok =
        ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == contents.size() &&
           (attributes == 0 || ::SetFileAttributesA(path.c_str(), attributes));
}

std::string Picture(const std::string& folder) {
    if (::GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return "<none>";
    std::vector<std::string> lines;
    Collect(folder, "", lines);
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

std::string OwnFolder() {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    if (length == 0 || length >= sizeof(path)) return {};
    std::string text(path, length);
    return text.substr(0, text.rfind('\\') + 1);
}

}  // namespace winetest
