// The marks of characters without an ANSI form, and what the A calls show.
#include "platform/emulated/ansi_form.h"

#include <cstring>

namespace platform::emulated {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool MarkAt(std::string_view held, std::size_t at) {
    if (held[at] != kNoAnsiMark || held.size() - at < kNoAnsiMarkLength) return false;
    for (std::size_t i = 1; i < kNoAnsiMarkLength; ++i)
        if (!IsHexDigit(held[at + i])) return false;
    return true;
}

}  // namespace

std::string WithoutAnsiForm(std::u16string_view text) {
    std::string held;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            held += static_cast<char>(unit);
            continue;
        }
        held += kNoAnsiMark;
        for (int shift = 12; shift >= 0; shift -= 4) held += kHexDigits[(unit >> shift) & 0xF];
    }
    return held;
}

bool HasNoAnsiForm(std::string_view held) {
    for (std::size_t at = 0; at < held.size(); ++at)
        if (MarkAt(held, at)) return true;
    return false;
}

std::string AnsiView(std::string_view held) {
    std::string shown;
    shown.reserve(held.size());
    for (std::size_t at = 0; at < held.size();) {
        if (MarkAt(held, at)) {
            shown += kAnsiDefaultChar;
            at += kNoAnsiMarkLength;
        } else {
            shown += held[at++];
        }
    }
    return shown;
}

}  // namespace platform::emulated
