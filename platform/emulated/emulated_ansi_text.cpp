// Lead bytes and letter case of the emulated machine's code page.
#include "platform/emulated/emulated_ansi_text.h"

#include "platform/text_case_1252.h"

namespace platform::emulated {

const EmulatedAnsiText kWesternText(CodePage::kWestern1252);

bool EmulatedAnsiText::IsLeadByte(unsigned char byte) const {
    return codePage_ == CodePage::kJapanese932 &&
           ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC));
}

unsigned EmulatedAnsiText::FoldCase(unsigned character) const {
    if (codePage_ == CodePage::kWestern1252) {
        return character < 0x100 ? FoldCase1252(static_cast<unsigned char>(character)) : character;
    }
    if (character >= 'A' && character <= 'Z') return character + ('a' - 'A');
    // Full-width Latin and Greek capitals, 26 and 24, then Cyrillic, 33,
    // whose small letters skip 0x847F.
    if (character >= 0x8260 && character <= 0x8279) return character + 0x21;
    if (character >= 0x839F && character <= 0x83B6) return character + 0x20;
    if (character >= 0x8440 && character <= 0x8460) {
        const unsigned small = 0x8470 + (character - 0x8440);
        return small >= 0x847F ? small + 1 : small;
    }
    return character;
}

bool EmulatedAnsiText::Contains(const char* searched, const char* sought) const {
    return ContainsByCharacters(*this, searched, sought, [this](const char* c, std::size_t length) {
        const auto lead = static_cast<unsigned char>(c[0]);
        return FoldCase(length == 1 ? lead : lead << 8 | static_cast<unsigned char>(c[1]));
    });
}

}  // namespace platform::emulated
