// An in-memory Windows file system: drives with a type, folders and files
// whose names keep their case but compare without it, contents, attributes,
// files held open by another program, and the system facts that are paths.
// It claims only what the contract tests show Windows (and Wine) doing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/emulated/cut_off.h"
#include "platform/emulated/file_faults.h"
#include "platform/emulated/emulated_ansi_text.h"
#include "platform/file_system.h"

namespace platform::emulated {

// One folder or file. Children stay sorted by name, case ignored.
struct FileNode {
    std::string name;
    bool folder = false;
    std::uint32_t attributes = 0;  // read-only, hidden, system, archive only
    std::string contents;
    bool heldOpen = false;  // by another program, without sharing
    std::vector<std::unique_ptr<FileNode>> children;

    FileNode* Child(std::string_view childName) const;
};

struct EmulatedDrive {
    char letter = 'C';
    DriveType type = DRIVE_TYPE_FIXED;
    std::unique_ptr<FileNode> root;
};

class EmulatedFileSystem : public FileSystem {
  public:
    EmulatedFileSystem() = default;

    // Building a machine. Add* create missing parent folders and fail when
    // the drive is unknown or a file stands in the way.
    void AddDrive(char letter, DriveType type);
    bool AddFolder(std::string_view path, std::uint32_t attributes = 0);
    bool AddFile(std::string_view path, std::string_view contents,
                 std::uint32_t attributes = kAttributeArchive);
    bool SetHeldOpen(std::string_view path, bool heldOpen);
    void SetSystemFolder(std::string path) { systemFolder_ = std::move(path); }
    void SetWindowsFolder(std::string path) { windowsFolder_ = std::move(path); }
    void SetModuleFile(std::string path) { moduleFile_ = std::move(path); }
    void SetCurrentFolder(std::string path) { currentFolder_ = std::move(path); }
    // The ANSI code page its paths are text of, which must outlive this
    // object; code page 1252 until set.
    void SetAnsiText(const AnsiText& text) { text_ = &text; }

    // Looking at a machine: null when the path names nothing.
    const FileNode* Find(std::string_view path) const;
    const std::vector<EmulatedDrive>& Drives() const { return drives_; }
    const std::string& SystemFolderPath() const { return systemFolder_; }
    const std::string& WindowsFolderPath() const { return windowsFolder_; }
    const std::string& ModuleFilePath() const { return moduleFile_; }
    const std::string& CurrentFolderPath() const { return currentFolder_; }

    FileFaults& Faults() { return faults_; }
    // The cut that ends the process working on this machine, shared with its
    // registry.
    void SetCutOff(CutOff* cutOff) { cutOff_ = cutOff; }

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
    struct Location {
        EmulatedDrive* drive = nullptr;
        FileNode* parent = nullptr;  // null for a drive root
        FileNode* node = nullptr;    // null when the last step does not exist
        std::string leaf;            // the last step as written
    };

    EmulatedDrive* DriveOf(char letter);
    // Resolves an absolute path; false when it is malformed, too long, on an
    // unknown drive or when a folder on the way is missing.
    bool Locate(std::string_view path, Location& where);
    FileNode* AddPath(std::string_view path, bool folder);
    // True when the call fails: injected, or the cut has come.
    bool Refuses(FileOperation operation, const char* path, const char* secondPath = nullptr);
    // True when the next change may happen.
    bool Step();

    std::vector<EmulatedDrive> drives_;
    std::string systemFolder_ = "C:\\WINDOWS\\SYSTEM";
    std::string windowsFolder_ = "C:\\WINDOWS";
    std::string moduleFile_;
    std::string currentFolder_ = "C:\\";
    FileFaults faults_;
    CutOff* cutOff_ = nullptr;
    const AnsiText* text_ = &kWesternText;
};

}  // namespace platform::emulated
