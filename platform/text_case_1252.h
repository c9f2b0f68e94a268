// Letter case in the Western code page 1252, the way Windows pairs capitals and
// small letters there: ASCII, the Latin-1 letters, and the pairs S/s, OE/oe and
// Z/z with caron and Y with diaeresis. The emulated machine's names, and its
// matching rule in code page 1252, ignore case this way.
#pragma once

#include <cstddef>

namespace platform {

// The small letter of a code page 1252 capital; every other byte unchanged.
constexpr unsigned char FoldCase1252(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + ('a' - 'A'));
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A:
            return 0x9A;  // S with caron
        case 0x8C:
            return 0x9C;  // OE ligature
        case 0x8E:
            return 0x9E;  // Z with caron
        case 0x9F:
            return 0xFF;  // Y with diaeresis
        default:
            return c;
    }
}

constexpr bool EqualNoCase1252(char a, char b) {
    return FoldCase1252(static_cast<unsigned char>(a)) ==
           FoldCase1252(static_cast<unsigned char>(b));
}

// Whether `sought` occurs in `searched`, case ignored. An empty `sought` never
// occurs, as with the shell's StrStrIA.
constexpr bool ContainsNoCase1252(const char* searched, const char* sought) {
    if (searched == nullptr || sought == nullptr || *sought == '\0') return false;
    for (const char* start = searched; *start != '\0'; ++start) {
        std::size_t i = 0;
        while (sought[i] != '\0' && start[i] != '\0' && EqualNoCase1252(start[i], sought[i])) ++i;
        if (sought[i] == '\0') return true;
        if (start[i] == '\0') return false;
    }
    return false;
}

}  // namespace platform
