// Hands a text out into a caller's buffer under the seam's contract: all of it
// with its terminator, or an empty text and 0 when it does not fit.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace platform::emulated {

inline std::size_t CopyText(std::string_view text, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return 0;
    if (text.empty() || text.size() >= size) {
        buffer[0] = '\0';
        return 0;
    }
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return text.size();
}

}  // namespace platform::emulated
