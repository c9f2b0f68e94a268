// The catalogue's matching rule against the shell's StrStrIA, on the running
// Windows: the same answer for the catalogue's cases and for every pair of
// code page 1252 letters, so the sweep may use its own rule on every build.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "platform/win32/win32_text_search.h"
#include "sweep/conflict_catalogue.h"

namespace {

std::vector<unsigned char> Letters1252() {
    std::vector<unsigned char> letters;
    for (int c = 'A'; c <= 'Z'; ++c) letters.push_back(static_cast<unsigned char>(c));
    for (int c = 'a'; c <= 'z'; ++c) letters.push_back(static_cast<unsigned char>(c));
    for (int c = 0xC0; c <= 0xFE; ++c) {
        if (c != 0xD7 && c != 0xDF && c != 0xF7) letters.push_back(static_cast<unsigned char>(c));
    }
    for (int c : {0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xFF}) {
        letters.push_back(static_cast<unsigned char>(c));
    }
    return letters;
}

}  // namespace

TEST_CASE("the matching rule gives StrStrIA's answer") {
    bool available = false;
    platform::win32::ShellFindsText("a", "a", &available);
    if (!available) {
        MESSAGE("shlwapi.dll has no StrStrIA here; nothing to compare");
        return;
    }
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
    };
    for (const auto& c : cases) {
        CAPTURE(c[0]);
        CAPTURE(c[1]);
        CHECK(sweep::MatchesEntry(c[0], c[1]) == platform::win32::ShellFindsText(c[0], c[1]));
    }
    const std::vector<unsigned char> letters = Letters1252();
    for (unsigned char a : letters) {
        for (unsigned char b : letters) {
            const char searched[] = {static_cast<char>(a), '\0'};
            const char sought[] = {static_cast<char>(b), '\0'};
            CAPTURE(static_cast<int>(a));
            CAPTURE(static_cast<int>(b));
            CHECK(sweep::MatchesEntry(searched, sought) ==
                  platform::win32::ShellFindsText(searched, sought));
        }
    }
}
