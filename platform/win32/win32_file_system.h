// The file system of the running Windows, one platform call per operation.
// On 64-bit Windows a second object in the native view sees the folders the
// 32-bit layer hides from this program (system32 itself rather than
// SysWOW64); its every call is made with redirection turned off.
#pragma once

#include "platform/file_system.h"
#include "platform/win32/wow64.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
  public:
    // kNative needs HasNativeView(); without it both views are the same.
    explicit Win32FileSystem(View view = View::kProgram) : view_(view) {}

    std::unique_ptr<FindListing> FindFirst(const char* pattern, FindEntry& entry) override;
    bool Exists(const char* path) override;
    bool Move(const char* from, const char* to) override;
    bool CopyNoOverwrite(const char* from, const char* to) override;
    bool Delete(const char* path) override;
    std::uint32_t GetAttributes(const char* path) override;
    bool SetAttributes(const char* path, std::uint32_t attributes) override;
    bool CreateFolder(const char* path) override;
    bool RemoveFolder(const char* path) override;
    DriveType DriveTypeOf(const char* root) override;
    std::size_t SystemFolder(char* buffer, std::size_t size) override;
    std::size_t WindowsFolder(char* buffer, std::size_t size) override;
    std::size_t ModuleFileName(char* buffer, std::size_t size) override;
    std::size_t FullPathName(const char* path, char* buffer, std::size_t size) override;
    std::size_t LongPathName(const char* path, char* buffer, std::size_t size) override;

  private:
    View view_;
};

}  // namespace platform::win32
