// Text in the running system's code page: the lead bytes and the search the
// emulated machine claims for that code page, and the search by characters
// that stands in for a missing StrStrIA, each against the system's own
// IsDBCSLeadByte and StrStrIA. Run in code page 1252 and, with
// LC_ALL=ja_JP.UTF-8, in code page 932.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/emulated/emulated_ansi_text.h"
#include "platform/win32/win32_ansi_text.h"

namespace {

using platform::emulated::CodePage;

// Single characters of the code page worth pairing: ASCII and Latin-1
// letters in 1252; ASCII letters, half-width katakana and a few double-byte
// characters whose second byte is a letter or "\" in 932.
std::vector<std::string> Characters(CodePage codePage) {
    std::vector<std::string> characters;
    for (int c = 'A'; c <= 'Z'; ++c) characters.push_back(std::string(1, static_cast<char>(c)));
    for (int c = 'a'; c <= 'z'; ++c) characters.push_back(std::string(1, static_cast<char>(c)));
    characters.push_back("\\");
    if (codePage == CodePage::kWestern1252) {
        for (int c = 0xC0; c <= 0xFF; ++c) characters.push_back(std::string(1, static_cast<char>(c)));
        for (int c : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F}) {
            characters.push_back(std::string(1, static_cast<char>(c)));
        }
    } else {
        for (int c = 0xA1; c <= 0xDF; ++c) characters.push_back(std::string(1, static_cast<char>(c)));
        // ア, ャ, ソ, 能; full-width Ａ ａ Ｚ ｚ; Greek Α α Ω ω; Cyrillic А а О о Я я
        for (const char* c : {"\x83\x41", "\x83\x61", "\x83\x5C", "\x94\x5C", "\x82\x60",
                              "\x82\x81", "\x82\x79", "\x82\x9A", "\x83\x9F", "\x83\xBF",
                              "\x83\xB6", "\x83\xD6", "\x84\x40", "\x84\x70", "\x84\x4F",
                              "\x84\x80", "\x84\x60", "\x84\x91"}) {
            characters.push_back(c);
        }
    }
    return characters;
}

// The bytes of a text, for a failure's message.
std::string Hex(const std::string& text) {
    std::string hex;
    for (unsigned char c : text) {
        const char digits[] = "0123456789ABCDEF";
        hex += digits[c >> 4];
        hex += digits[c & 0xF];
        hex += ' ';
    }
    return hex;
}

}  // namespace

TEST_CASE("the matching rule of the system's code page gives StrStrIA's answer") {
    const UINT acp = ::GetACP();
    REQUIRE((acp == 1252 || acp == 932));
    const CodePage codePage = acp == 932 ? CodePage::kJapanese932 : CodePage::kWestern1252;
    MESSAGE("code page " << acp);
    const platform::emulated::EmulatedAnsiText emulated(codePage);
    const platform::win32::Win32AnsiText shell;
    const platform::win32::Win32AnsiText byCharacters(platform::win32::Win32AnsiText::ShellSearch::kAvoid);
    REQUIRE(shell.HasShellSearch());

    for (int byte = 0; byte < 256; ++byte) {
        CAPTURE(byte);
        CHECK(emulated.IsLeadByte(static_cast<unsigned char>(byte)) ==
              (::IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE));
    }
    auto compare = [&](const std::string& searched, const char* sought) {
        const std::string shown = Hex(searched) + " / " + Hex(sought);
        CAPTURE(shown);
        const bool answer = shell.Contains(searched.c_str(), sought);
        CHECK(emulated.Contains(searched.c_str(), sought) == answer);
        CHECK(byCharacters.Contains(searched.c_str(), sought) == answer);
    };
    const char* const cases[][2] = {
        {"FastIndexer", "Index"},
        {"clonecdtray.lnk", "CloneCDTray"},
        {"DiskDetector", "Disk Detector"},
        {"DISK DETECTOR", "Disk Detector"},
        {"xxIndeIndex", "Index"},
        {"Inde", "Index"},
        {"Elby", ""},
        {"", "Elby"},
        {"C:\\Program Files\\Roxio\\x.exe", "roxio"},
        {"vlcore.DLL", "VlCore.dll"},
        // ラジオndex and ラジオ Index
        {"\x83\x89\x83\x57\x83\x49ndex.lnk", "Index"},
        {"\x83\x89\x83\x57\x83\x49 Index", "index"},
        {"C:\\\x8F\xED\x92\x93\x8B\x40\x94\x5C", "\\"},
    };
    for (const auto& c : cases) compare(c[0], c[1]);
    const std::vector<std::string> characters = Characters(codePage);
    for (const std::string& a : characters) {
        for (const std::string& b : characters) compare("x" + a + "y", b.c_str());
    }
}
