// Thin calls of the platform's "A" file functions, all present since Windows
// 95 and NT 4.0 except GetLongPathNameA, which win32_long_path.cpp resolves.
// In the native view each call that takes a path is made inside a
// NativeFilesScope.
#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <utility>

#include "platform/win32/answer_text.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/win32_long_path.h"

namespace platform::win32 {
namespace {

void CopyEntry(const WIN32_FIND_DATAA& data, FindEntry& entry) {
    static_assert(sizeof(data.cFileName) == sizeof(entry.name));
    std::memcpy(entry.name, data.cFileName, sizeof(entry.name));
    entry.name[sizeof(entry.name) - 1] = '\0';
    entry.attributes = data.dwFileAttributes;
}

class Win32Listing : public FindListing {
  public:
    explicit Win32Listing(UniqueFind find) : find_(std::move(find)) {}
    bool Next(FindEntry& entry) override {
        WIN32_FIND_DATAA data;
        if (!::FindNextFileA(find_.Get(), &data)) return false;
        CopyEntry(data, entry);
        return true;
    }

  private:
    UniqueFind find_;
};

// Redirection turned off for one call in the native view; nothing otherwise.
class ViewScope {
  public:
    explicit ViewScope(View view) {
        if (view == View::kNative) native_.emplace();
    }

  private:
    std::optional<NativeFilesScope> native_;
};

}  // namespace

std::unique_ptr<FindListing> Win32FileSystem::FindFirst(const char* pattern, FindEntry& entry) {
    WIN32_FIND_DATAA data;
    // The open listing keeps the folder it found: the later entries come
    // from it whatever the redirection is then.
    UniqueFind find([&] {
        ViewScope scope(view_);
        return ::FindFirstFileA(pattern, &data);
    }());
    if (!find.Valid()) return nullptr;
    auto listing = std::make_unique<Win32Listing>(std::move(find));
    CopyEntry(data, entry);
    return listing;
}

bool Win32FileSystem::Exists(const char* path) {
    ViewScope scope(view_);
    OFSTRUCT info;
    return ::OpenFile(path, &info, OF_EXIST) != HFILE_ERROR;
}

bool Win32FileSystem::Move(const char* from, const char* to) {
    ViewScope scope(view_);
    return ::MoveFileA(from, to) != FALSE;
}

bool Win32FileSystem::CopyNoOverwrite(const char* from, const char* to) {
    ViewScope scope(view_);
    if (::CopyFileA(from, to, TRUE) == FALSE) return false;
    // Windows gives the copy the original's attributes; Wine 10 leaves the
    // hidden one off, and a put-aside must bring the file back as it was.
    const DWORD attributes = ::GetFileAttributesA(from);
    if (attributes != INVALID_FILE_ATTRIBUTES && ::GetFileAttributesA(to) != attributes) {
        ::SetFileAttributesA(to, attributes);
    }
    return true;
}

bool Win32FileSystem::Delete(const char* path) {
    ViewScope scope(view_);
    return ::DeleteFileA(path) != FALSE;
}

std::uint32_t Win32FileSystem::GetAttributes(const char* path) {
    ViewScope scope(view_);
    return ::GetFileAttributesA(path);
}

bool Win32FileSystem::SetAttributes(const char* path, std::uint32_t attributes) {
    ViewScope scope(view_);
    return ::SetFileAttributesA(path, attributes) != FALSE;
}

bool Win32FileSystem::CreateFolder(const char* path) {
    ViewScope scope(view_);
    return ::CreateDirectoryA(path, nullptr) != FALSE;
}

bool Win32FileSystem::RemoveFolder(const char* path) {
    ViewScope scope(view_);
    return ::RemoveDirectoryA(path) != FALSE;
}

DriveType Win32FileSystem::DriveTypeOf(const char* root) {
    return static_cast<DriveType>(::GetDriveTypeA(root));
}

std::size_t Win32FileSystem::SystemFolder(char* buffer, std::size_t size) {
    return Answer(::GetSystemDirectoryA(buffer, CallSize(size)), buffer, size);
}

std::size_t Win32FileSystem::WindowsFolder(char* buffer, std::size_t size) {
    return Answer(::GetWindowsDirectoryA(buffer, CallSize(size)), buffer, size);
}

std::size_t Win32FileSystem::ModuleFileName(char* buffer, std::size_t size) {
    // A cut name answers the full size (and may lack its terminator) on the NT
    // family; elsewhere it may answer the cut length.
    return AnswerUncut(::GetModuleFileNameA(nullptr, buffer, CallSize(size)), buffer, size);
}

std::size_t Win32FileSystem::FullPathName(const char* path, char* buffer, std::size_t size) {
    char* namePart = nullptr;
    return Answer(::GetFullPathNameA(path, CallSize(size), buffer, &namePart), buffer, size);
}

std::size_t Win32FileSystem::LongPathName(const char* path, char* buffer, std::size_t size) {
    ViewScope scope(view_);
    return LongPathOf(path, buffer, size);
}

}  // namespace platform::win32
