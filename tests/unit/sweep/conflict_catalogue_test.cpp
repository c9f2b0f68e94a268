// The conflict catalogue: the tables' size, ends and order, the rows that
// share a stem, and the constraints that keep each entry from matching another.
#include "sweep/conflict_catalogue.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>

#include "platform/emulated/emulated_ansi_text.h"

using namespace sweep;

namespace {

using platform::emulated::CodePage;
const platform::emulated::EmulatedAnsiText kWestern(CodePage::kWestern1252);
const platform::emulated::EmulatedAnsiText kJapanese(CodePage::kJapanese932);

std::size_t CountEntries(const char* const* table) {
    std::size_t n = 0;
    while (table[n] != nullptr) ++n;
    return n;
}

std::string Stem(const char* fileName) {
    return std::string(fileName, std::strlen(fileName) - kExtensionLength);
}

bool SameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && MatchesEntry(kWestern, a.c_str(), b.c_str());
}

}  // namespace

TEST_CASE("the driver table has 110 rows in order, then an end row") {
    std::size_t rows = 0;
    while (DriverTable[rows].fileName != nullptr) ++rows;
    CHECK(rows == kDriverTableRows);
    CHECK(DriverTable[kDriverTableRows].label == nullptr);
    CHECK(std::string(DriverTable[0].fileName) == "GEARAspiWDM.sys");
    CHECK(std::string(DriverTable[0].label) == "Gear");
    CHECK(std::string(DriverTable[109].fileName) == "bsudfrdr.vxd");
    CHECK(std::string(DriverTable[109].label) == "B's CLiP");
    CHECK(std::string(DriverTable[31].fileName) == "PxHelp20.sys");
    CHECK(std::string(DriverTable[71].label) == "Phillips");
}

TEST_CASE("every driver row has a name of 7 to 15 characters with a known extension") {
    const char* const extensions[] = {".sys", ".SYS", ".vxd", ".Vxd",
                                      ".VXD", ".DLL", ".EXE", ".MPD"};
    int directCd = 0;
    int compaq = 0;
    for (std::size_t i = 0; i < kDriverTableRows; ++i) {
        CAPTURE(i);
        std::string name = DriverTable[i].fileName;
        std::string label = DriverTable[i].label;
        CHECK(name.size() >= 7);
        CHECK(name.size() <= 15);
        CHECK(label.size() >= 2);
        CHECK(label.size() <= 16);
        bool known = false;
        for (const char* extension : extensions) {
            known = known || name.compare(name.size() - kExtensionLength, 4, extension) == 0;
        }
        CHECK(known);
        directCd += label == "DirectCD";
        compaq += label == "Compaq";
    }
    CHECK(directCd == 13);
    CHECK(compaq == 10);
}

TEST_CASE("exactly seven pairs of rows share a stem, each across two extensions") {
    const char* const pairs[][2] = {
        {"PxHelper.sys", "PxHelper.vxd"}, {"bsudf.sys", "BSUDF.VXD"},
        {"cdudf.sys", "CDUDF.VXD"},       {"udfreadr.sys", "UDFREADR.VXD"},
        {"ElbyCDIO.sys", "ELBYCDIO.VXD"}, {"asapi.sys", "ASAPI.VXD"},
        {"PFC.SYS", "PFC.VXD"},
    };
    int sharing = 0;
    for (std::size_t i = 0; i < kDriverTableRows; ++i) {
        for (std::size_t j = i + 1; j < kDriverTableRows; ++j) {
            if (!SameNoCase(Stem(DriverTable[i].fileName), Stem(DriverTable[j].fileName))) continue;
            ++sharing;
            bool listed = false;
            for (const auto& pair : pairs) {
                listed = listed || (std::string(DriverTable[i].fileName) == pair[0] &&
                                    std::string(DriverTable[j].fileName) == pair[1]);
            }
            CAPTURE(DriverTable[i].fileName);
            CHECK(listed);
        }
    }
    CHECK(sharing == 7);
}

TEST_CASE("31 startup fragments, none inside another") {
    REQUIRE(CountEntries(StartupFragments) == kStartupFragmentCount);
    CHECK(std::string(StartupFragments[0]) == "CreateCD");
    CHECK(std::string(StartupFragments[30]) == "Index");
    for (std::size_t i = 0; i < kStartupFragmentCount; ++i) {
        for (std::size_t j = 0; j < kStartupFragmentCount; ++j) {
            if (i == j) continue;
            CAPTURE(StartupFragments[i]);
            CAPTURE(StartupFragments[j]);
            CHECK_FALSE(MatchesEntry(kWestern, StartupFragments[i], StartupFragments[j]));
        }
    }
}

TEST_CASE("22 engine libraries, each found only as itself") {
    REQUIRE(CountEntries(EngineLibraries) == kEngineLibraryCount);
    for (std::size_t i = 0; i < kEngineLibraryCount; ++i) {
        std::string name = EngineLibraries[i];
        CAPTURE(name);
        CHECK(name.size() > 4);
        CHECK(name.compare(name.size() - 4, 4, ".dll") == 0);
        bool upper = false;
        bool lower = false;
        for (char c : name) {
            upper = upper || (c >= 'A' && c <= 'Z');
            lower = lower || (c >= 'a' && c <= 'z');
        }
        CHECK((upper && lower));
        for (std::size_t j = 0; j < kEngineLibraryCount; ++j) {
            if (i != j) CHECK_FALSE(MatchesEntry(kWestern, name.c_str(), EngineLibraries[j]));
        }
        for (std::size_t j = 0; j < kStartupFragmentCount; ++j) {
            CHECK_FALSE(MatchesEntry(kWestern, name.c_str(), StartupFragments[j]));
        }
        for (std::size_t j = 0; j < kDriverTableRows; ++j) {
            CHECK_FALSE(MatchesEntry(kWestern, name.c_str(), DriverTable[j].fileName));
            CHECK_FALSE(MatchesEntry(kWestern, DriverTable[j].fileName, name.c_str()));
        }
    }
}

TEST_CASE("the matching rule: entry anywhere in the candidate, letter case ignored") {
    struct Case {
        const char* candidate;
        const char* entry;
        bool matches;
    };
    const Case cases[] = {
        {"FastIndexer", "Index", true},
        {"clonecdtray.lnk", "CloneCDTray", true},
        {"DISK DETECTOR.lnk", "Disk Detector", true},
        {"DiskDetector.lnk", "Disk Detector", false},  // spaces must match
        {"Disk-Detector", "Disk Detector", false},
        {"Inde", "Index", false},        // entry longer than the rest
        {"xxIndeIndex", "Index", true},  // a partial match first
        {"\xC9LBY", "\xE9lby", true},    // Latin-1 capitals pair with small letters
        {"\x8A"
         "ab",
         "\x9A"
         "AB",
         true},
        {"Elby", "", false},  // an empty entry matches nothing
        {"", "Elby", false},
        {"Elby", nullptr, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.candidate);
        CHECK(MatchesEntry(kWestern, c.candidate, c.entry) == c.matches);
    }
}

// Code page 932: a character may take two bytes, the second of them any of
// 0x40-0xFC; the single bytes 0xA1-0xDF are half-width katakana.
TEST_CASE("the matching rule steps by characters of the code page and pairs only its letters") {
    struct Case {
        const char* candidate;
        const char* entry;
        bool western;
        bool japanese;
    };
    const Case cases[] = {
        // Katakana ra-ji-o + "ndex": the bytes hold "Index", the characters do not.
        {"\x83\x89\x83\x57\x83\x49ndex.lnk", "Index", true, false},
        {"\x83\x89\x83\x57\x83\x49 Index", "index", true, true},
        // Half-width katakana and lead bytes are no case pair of each other.
        {"\xC0\xC4", "\xE0\xE4", true, false},
        {"\xDE", "\xFE", true, false},
        // A trail byte that looks like a capital is no letter.
        {"\x83\x41", "a", true, false},
        {"\x83\x41 a", "A", true, true},
        {"\x94\x5C", "\\", true, false},
        {"AdaptecX", "adaptec", true, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.candidate);
        CHECK(MatchesEntry(kWestern, c.candidate, c.entry) == c.western);
        CHECK(MatchesEntry(kJapanese, c.candidate, c.entry) == c.japanese);
    }
}
