// Long path names through GetLongPathNameA where the system has it, else
// through a listing of each step.
#include "platform/win32/win32_long_path.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "platform/file_system.h"
#include "platform/win32/answer_text.h"
#include "platform/win32/unique_handles.h"

namespace platform::win32 {
namespace {

using GetLongPathNameFunction = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);

std::size_t Fail(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return 0;
}

}  // namespace

std::size_t LongPathByListing(const char* path, char* buffer, std::size_t size) {
    std::string_view text(path);
    // Only drive paths ("X:\...") are taken apart; any other path is handed
    // back unchanged when it exists.
    if (text.size() < 3 || text[1] != ':' || text[2] != '\\') {
        if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return Fail(buffer, size);
        if (text.size() >= size) return Fail(buffer, size);
        std::memcpy(buffer, path, text.size() + 1);
        return text.size();
    }
    char built[kMaxPathBytes];
    std::size_t length = 3;
    std::memcpy(built, path, length);
    built[length] = '\0';
    std::size_t start = 3;
    while (start < text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view step = text.substr(start, end - start);
        start = end + 1;
        if (step.empty()) continue;
        if (length + step.size() + 1 >= sizeof(built)) return Fail(buffer, size);
        if (built[length - 1] != '\\') built[length++] = '\\';
        std::memcpy(built + length, step.data(), step.size());
        built[length + step.size()] = '\0';
        std::string_view name = step;
        WIN32_FIND_DATAA data;
        UniqueFind find(step == "." || step == ".." ? INVALID_HANDLE_VALUE
                                                    : ::FindFirstFileA(built, &data));
        if (step != "." && step != "..") {
            if (!find.Valid()) return Fail(buffer, size);
            name = data.cFileName;
        }
        if (length + name.size() >= sizeof(built)) return Fail(buffer, size);
        std::memcpy(built + length, name.data(), name.size());
        length += name.size();
        built[length] = '\0';
    }
    if (text.back() == '\\' && built[length - 1] != '\\') {
        if (length + 1 >= sizeof(built)) return Fail(buffer, size);
        built[length++] = '\\';
        built[length] = '\0';
    }
    if (length >= size) return Fail(buffer, size);
    std::memcpy(buffer, built, length + 1);
    return length;
}

std::size_t LongPathOf(const char* path, char* buffer, std::size_t size) {
    static const auto getLongPathName =
        LookUp<GetLongPathNameFunction>(::GetModuleHandleA("kernel32.dll"), "GetLongPathNameA");
    if (getLongPathName == nullptr) return LongPathByListing(path, buffer, size);
    return Answer(getLongPathName(path, buffer, CallSize(size)), buffer, size);
}

}  // namespace platform::win32
