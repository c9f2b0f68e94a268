// The file-system side of the platform seam: listings, moves, copies, deletes,
// attributes, folders and drives, plus the system facts that are paths (system
// and Windows folders, the running program's file, full and long path names).
// Paths are 8-bit code-page text with backslashes; names compare without case.
//
// Error contract: every call reports success or failure and nothing else; no
// call throws or shows anything. A call that fails leaves the file system as
// it was. A call that fills a caller's buffer writes a terminated text that
// fits the buffer, or on failure an empty text (when the buffer has room for
// one); it never writes past `size` bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// The platform's path limit: 260 bytes with the terminator.
inline constexpr std::size_t kMaxPathBytes = 260;

// OpenFile keeps the path in a buffer of 128 bytes.
inline constexpr std::size_t kMaxExistsPath = 128;

// Attribute bits as the platform defines them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeSystem = 0x04;
inline constexpr std::uint32_t kAttributeFolder = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;
inline constexpr std::uint32_t kAttributeNormal = 0x80;
// What GetAttributes answers for a path that does not exist or cannot be read.
inline constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// Drive types with the platform's numbers.
enum DriveType : unsigned {
    DRIVE_TYPE_UNKNOWN = 0,
    DRIVE_TYPE_NO_ROOT = 1,
    DRIVE_TYPE_REMOVABLE = 2,
    DRIVE_TYPE_FIXED = 3,
    DRIVE_TYPE_REMOTE = 4,
    DRIVE_TYPE_CDROM = 5,
    DRIVE_TYPE_RAMDISK = 6,
};

// One entry of a folder listing.
struct FindEntry {
    char name[kMaxPathBytes] = {};
    std::uint32_t attributes = 0;

    bool IsFolder() const { return (attributes & kAttributeFolder) != 0; }
};

// An open listing. Destroying it closes it; it cannot be copied.
class FindListing {
  public:
    FindListing() = default;
    FindListing(const FindListing&) = delete;
    FindListing& operator=(const FindListing&) = delete;
    virtual ~FindListing() = default;

    // Fills `entry` with the next entry. False at the end or on failure;
    // `entry` is then unchanged.
    virtual bool Next(FindEntry& entry) = 0;
};

class FileSystem {
  public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    // Starts a listing with a pattern such as "C:\dir\*.*" and fills `entry`
    // with the first entry. A folder other than a drive root lists "." and ".."
    // first. The order of the other entries is the platform's and not to be
    // relied on. Null when the folder does not exist or cannot be listed.
    virtual std::unique_ptr<FindListing> FindFirst(const char* pattern, FindEntry& entry) = 0;

    // True when a file of that path exists and can be opened for reading. A
    // folder, a missing file and a file that another program holds open
    // without sharing all count as absent. The platform's call takes paths of
    // fewer than kMaxExistsPath characters only; longer ones count as absent.
    virtual bool Exists(const char* path) = 0;

    // Renames a file or folder. Fails when `to` names another existing entry
    // (whatever its case), when its folder does not exist, when `from` is
    // missing, and when another program holds `from` open. A read-only file
    // can be moved and stays read-only. Folders move only within a drive.
    virtual bool Move(const char* from, const char* to) = 0;

    // Copies a file, contents and attributes, and fails when `to` exists.
    // Fails when `from` is held open by another program without sharing.
    virtual bool CopyNoOverwrite(const char* from, const char* to) = 0;

    // Deletes a file. Fails on a read-only file, on a file held open by
    // another program, on a folder and on a missing file.
    virtual bool Delete(const char* path) = 0;

    // kInvalidAttributes when the path does not exist.
    virtual std::uint32_t GetAttributes(const char* path) = 0;
    // Sets read-only, hidden, system and archive; kAttributeNormal clears them.
    virtual bool SetAttributes(const char* path, std::uint32_t attributes) = 0;

    // Fails when the path exists or its parent folder does not.
    virtual bool CreateFolder(const char* path) = 0;
    // Fails when the folder is not empty or does not exist.
    virtual bool RemoveFolder(const char* path) = 0;

    // The type of the drive whose root is given, such as "C:\". A root that
    // names no drive is DRIVE_TYPE_NO_ROOT.
    virtual DriveType DriveTypeOf(const char* root) = 0;

    // The folders and names below answer the text's length without the
    // terminator, or 0 when it cannot be had or does not fit `size` bytes.
    virtual std::size_t SystemFolder(char* buffer, std::size_t size) = 0;
    virtual std::size_t WindowsFolder(char* buffer, std::size_t size) = 0;
    // The full path of the running program's file. A path that fills the
    // buffer exactly may answer 0: some systems give no sign of a cut.
    virtual std::size_t ModuleFileName(char* buffer, std::size_t size) = 0;
    // The path made absolute against the current folder; "." and ".." steps
    // resolved. The file need not exist.
    virtual std::size_t FullPathName(const char* path, char* buffer, std::size_t size) = 0;
    // The path with every step in its long form. Fails when the path does
    // not exist.
    virtual std::size_t LongPathName(const char* path, char* buffer, std::size_t size) = 0;
};

}  // namespace platform
