// The long form of a path. GetLongPathNameA came with Windows 98 and 2000, so
// it is looked up at run time; where it is missing each step of the path is
// looked up in its folder instead, which yields the same long names.
#pragma once

#include <cstddef>

namespace platform::win32 {

// Length of the long form without terminator, or 0 (empty text) when the path
// does not exist or the long form does not fit `size` bytes.
std::size_t LongPathOf(const char* path, char* buffer, std::size_t size);

// The step-by-step lookup alone, used where GetLongPathNameA is missing.
std::size_t LongPathByListing(const char* path, char* buffer, std::size_t size);

}  // namespace platform::win32
