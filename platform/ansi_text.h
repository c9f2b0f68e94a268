// Text in the system's ANSI code page, as the sweep steps through and searches
// it. On Windows of the double-byte code pages (932, 936, 949, 950) a
// character may take two bytes, and its second byte may be any of 0x40 to
// 0xFE, '\' (0x5C) and the ASCII letters included: a byte is the end of a path
// or a letter only where a character begins.
#pragma once

#include <cstddef>

namespace platform {

class AnsiText {
  public:
    AnsiText() = default;
    AnsiText(const AnsiText&) = delete;
    AnsiText& operator=(const AnsiText&) = delete;
    virtual ~AnsiText() = default;

    // IsDBCSLeadByte: whether `byte` begins a character of two bytes.
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    // StrStrIA: whether `sought` occurs in `searched` beginning at one of its
    // characters, the characters compared with letter case ignored as the
    // code page pairs its letters. A null or empty `sought` never occurs.
    virtual bool Contains(const char* searched, const char* sought) const = 0;

    // The bytes of the character that begins at `text` (0 at its end). A lead
    // byte before the terminator stands alone, as CharNextA takes it.
    std::size_t CharacterLength(const char* text) const {
        if (*text == '\0') return 0;
        return IsLeadByte(static_cast<unsigned char>(*text)) && text[1] != '\0' ? 2 : 1;
    }
};

// The search of StrStrIA done by characters, each compared through
// `fold(const char* character, std::size_t length)`, which answers the
// character of one or two bytes in small letters as a number.
template <typename Fold>
bool ContainsByCharacters(const AnsiText& text, const char* searched, const char* sought,
                          Fold fold) {
    if (searched == nullptr || sought == nullptr || *sought == '\0') return false;
    for (const char* start = searched; *start != '\0'; start += text.CharacterLength(start)) {
        const char* a = start;
        const char* b = sought;
        for (;;) {
            const std::size_t length = text.CharacterLength(b);
            if (length == 0) return true;
            if (text.CharacterLength(a) != length || fold(a, length) != fold(b, length)) break;
            a += length;
            b += length;
        }
    }
    return false;
}

}  // namespace platform
