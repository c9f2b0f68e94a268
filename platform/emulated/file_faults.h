// Fault injection for the emulated file system: makes chosen operations fail
// the way a locked, vanished or protected file makes them fail on Windows,
// so tests can prove that no single failure loses a file.
#pragma once

#include <string>
#include <vector>

namespace platform::emulated {

// Kinds of file operations, as bits so that a fault can name several.
enum FileOperation : unsigned {
    FILE_OP_LIST = 1u << 0,
    FILE_OP_EXISTS = 1u << 1,
    FILE_OP_MOVE = 1u << 2,
    FILE_OP_COPY = 1u << 3,
    FILE_OP_DELETE = 1u << 4,
    FILE_OP_GET_ATTRIBUTES = 1u << 5,
    FILE_OP_SET_ATTRIBUTES = 1u << 6,
    FILE_OP_CREATE_FOLDER = 1u << 7,
    FILE_OP_REMOVE_FOLDER = 1u << 8,
};
inline constexpr unsigned kAllFileOperations = (1u << 9) - 1;
// The operations that change something on disk.
inline constexpr unsigned kChangingFileOperations = FILE_OP_MOVE | FILE_OP_COPY | FILE_OP_DELETE |
                                                    FILE_OP_SET_ATTRIBUTES | FILE_OP_CREATE_FOLDER |
                                                    FILE_OP_REMOVE_FOLDER;

class FileFaults {
  public:
    // The nth call (counted from 1) among the operations of `kinds` fails.
    void FailNth(unsigned n, unsigned kinds = kAllFileOperations);
    // Every call of `kinds` that names `path` (either side of a move or
    // copy; letter case ignored) fails.
    void FailPath(std::string path, unsigned kinds = kAllFileOperations);
    // Every call of `kinds` fails.
    void FailKind(unsigned kinds);
    void Clear();

    // Calls counted so far among the kinds of FailNth (all kinds by default),
    // so that a test can learn how many there are before failing each.
    unsigned Counted() const { return counted_; }

    // Asked by the file system before each operation; counts the call.
    bool ShouldFail(FileOperation operation, const char* path, const char* secondPath = nullptr);

  private:
    struct PathFault {
        std::string path;
        unsigned kinds;
    };
    unsigned nth_ = 0;
    unsigned nthKinds_ = kAllFileOperations;
    unsigned counted_ = 0;
    unsigned failingKinds_ = 0;
    std::vector<PathFault> paths_;
};

}  // namespace platform::emulated
