// A path in a fixed buffer of 260 bytes, the platform's limit. Every change
// either fits whole or is refused and leaves the path as it was: a path is
// never cut into another path.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/ansi_text.h"
#include "platform/file_system.h"

namespace sweep {

inline constexpr std::size_t kPathBufferSize = platform::kMaxPathBytes;
inline constexpr std::size_t kMaxPathLength = kPathBufferSize - 1;

class PathBuffer {
  public:
    PathBuffer() = default;

    // False, and the path unchanged, when the result would not fit.
    bool Assign(std::string_view text);
    bool Append(std::string_view text);
    // folder + "\" + name.
    bool Join(const PathBuffer& folder, std::string_view name);

    const char* Text() const { return text_; }
    std::string_view View() const { return {text_, Length()}; }
    std::size_t Length() const;
    bool Empty() const { return text_[0] == '\0'; }

    // The raw buffer, for calls that fill a 260-byte buffer in place.
    char (&Chars())[kPathBufferSize] { return text_; }

  private:
    char text_[kPathBufferSize] = {};
};

// Looks only at the path's last character, a character of the system's code
// page: the second byte of a double-byte character is never a "\". With
// `add`, appends "\" unless the path ends with one (refused, path unchanged,
// when it would not fit; the answer is then false); without, cuts one
// trailing "\" ("D:\" becomes "D:").
bool AdjustTrailingBackslash(const platform::AnsiText& text, PathBuffer& path, bool add);

// Where the last "\" character of the terminated `path` is, or npos.
std::size_t LastBackslash(const platform::AnsiText& text, const char* path);

}  // namespace sweep
