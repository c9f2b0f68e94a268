// The ANSI code page of an emulated machine: 1252 (Western), or 932
// (Japanese), whose lead bytes 0x81-0x9F and 0xE0-0xFC begin characters of
// two bytes and whose single bytes 0xA1-0xDF are half-width katakana, letters
// without case; its full-width Latin, Greek and Cyrillic letters are
// double-byte case pairs. Its case-insensitive search is StrStrIA's, as the
// contract suite shows Wine's.
#pragma once

#include "platform/ansi_text.h"

namespace platform::emulated {

enum class CodePage { kWestern1252 = 1252, kJapanese932 = 932 };

class EmulatedAnsiText final : public AnsiText {
  public:
    explicit EmulatedAnsiText(CodePage codePage = CodePage::kWestern1252) : codePage_(codePage) {}

    bool IsLeadByte(unsigned char byte) const override;
    bool Contains(const char* searched, const char* sought) const override;
    // The small letter of a capital of one or two bytes (lead byte high) as
    // such a number; every other character unchanged.
    unsigned FoldCase(unsigned character) const;

  private:
    CodePage codePage_;
};

// Code page 1252, which a machine's text is in until it is given another.
extern const EmulatedAnsiText kWesternText;

}  // namespace platform::emulated
