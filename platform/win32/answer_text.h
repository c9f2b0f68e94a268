// Turns the answer of a platform call that fills a text buffer into the seam's
// contract: the length when the whole text fit, else 0 and an empty text.
#pragma once

#include <windows.h>

#include <cstddef>

namespace platform::win32 {

// The size handed to a platform call: the buffer's, capped to what a DWORD holds.
inline DWORD CallSize(std::size_t size) {
    return size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
}

// `length` is what the call answered: 0 on failure, the needed size when the
// text did not fit (or, for some calls, the cut length equal to the size).
inline std::size_t Answer(DWORD length, char* buffer, std::size_t size) {
    if (length == 0 || length >= size) {
        if (buffer != nullptr && size > 0) buffer[0] = '\0';
        return 0;
    }
    buffer[length] = '\0';
    return length;
}

// For calls that cut a long text to the buffer and answer the cut length
// (GetModuleFileNameA on some systems, GetModuleFileNameExA): a text that
// fills the buffer may have been cut, and a cut path must never be used.
inline std::size_t AnswerUncut(DWORD length, char* buffer, std::size_t size) {
    if (size < 2 || length >= size - 1) return Answer(0, buffer, size);
    return Answer(length, buffer, size);
}

}  // namespace platform::win32
