// The file system of the running Windows, one platform call per operation.
#pragma once

#include "platform/file_system.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
  public:
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
};

}  // namespace platform::win32
