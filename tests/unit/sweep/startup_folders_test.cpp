// The Startup folders put aside, brought back and listed on the emulated machine.
#include "sweep/startup_folders.h"

#include <doctest/doctest.h>

#include <string>

#include "tests/unit/sweep/file_machine.h"

namespace {

using filetest::FileMachine;
using filetest::kCommonStartup;
using filetest::kUserStartup;
using platform::kAttributeArchive;
using platform::kAttributeHidden;
using platform::kAttributeReadOnly;
using platform::RegRoot;
using sweep::SWEEP_DISABLE;
using sweep::SWEEP_REPORT;
using sweep::SWEEP_RESTORE;

const std::string kUser = kUserStartup;
const std::string kSibling = kUser + "_Disabled";

}  // namespace

TEST_CASE(
    "a disable creates the sibling folder even with nothing to move; a restore then counts 0") {
    FileMachine m;
    m.Add(kUser + "\\keep.lnk", "k");
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 0);
    CHECK(m.IsFolder(kSibling));
    CHECK(m.IsFolder(std::string(kCommonStartup) + "_Disabled"));
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_RESTORE) == 0);
    CHECK(m.IsFolder(kSibling));
    CHECK(m.Contents(kUser + "\\keep.lnk") == "k");
}

TEST_CASE("entries of subfolders go aside with their tree and come back with the exact count") {
    FileMachine m;
    m.Add(kUser + "\\CreateCD.lnk", "c", kAttributeReadOnly | kAttributeHidden);
    m.Add(kUser + "\\Tools\\RoxioTray.lnk", "r");
    m.Add(kUser + "\\Tools\\Deep\\clonecdtray.lnk", "t", kAttributeReadOnly);
    m.Add(kUser + "\\Tools\\notes.lnk", "n");
    m.Add(kUser + "\\keep.lnk", "k");
    m.files.AddFolder(kUser + "\\Empty");
    std::string before = m.Picture(kUser);

    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 3);
    CHECK(m.Picture(kSibling) ==
          "CreateCD.lnk=c/3\nEmpty\\\nTools\\\nTools\\Deep\\\n"
          "Tools\\Deep\\clonecdtray.lnk=t/1\nTools\\RoxioTray.lnk=r/32\n");
    CHECK(m.Picture(kUser) ==
          "Empty\\\nTools\\\nTools\\Deep\\\nTools\\notes.lnk=n/32\nkeep.lnk=k/32\n");

    // 3 moved back, Empty, Tools\Deep and Tools purged, the sibling removed.
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_RESTORE) == 3 + 3 + 1);
    CHECK_FALSE(m.Has(kSibling));
    CHECK(m.Picture(kUser) == before);
}

TEST_CASE(
    "a folder named Dravolin in any case is skipped by disable and restore, listed by a report") {
    FileMachine m;
    m.Add(kUser + "\\DRAVOLIN backup\\RoxioTray.lnk", "r");
    m.Add(kUser + "\\my dravolin\\InCD.lnk", "i");
    m.Add(kUser + "\\Elby.lnk", "e");

    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_REPORT) == 3);
    std::string lines = m.ReportLines();
    CHECK(lines.find("Start: RoxioTray.lnk\r\n") != std::string::npos);
    CHECK(lines.find("Start: InCD.lnk\r\n") != std::string::npos);
    CHECK(lines.find("Start: Elby.lnk\r\n") != std::string::npos);

    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 1);
    CHECK(m.Has(kUser + "\\DRAVOLIN backup\\RoxioTray.lnk"));
    CHECK(m.Has(kUser + "\\my dravolin\\InCD.lnk"));
    CHECK_FALSE(m.Has(kSibling + "\\DRAVOLIN backup"));

    m.Add(kSibling + "\\Dravolin\\Padus.lnk", "p");
    // Elby.lnk moves back; the Dravolin folder of the sibling stays, and so
    // does the sibling that holds it.
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_RESTORE) == 1);
    CHECK(m.Contents(kUser + "\\Elby.lnk") == "e");
    CHECK(m.Contents(kSibling + "\\Dravolin\\Padus.lnk") == "p");
}

TEST_CASE("a Startup folder the stage may not touch is left alone in every mode") {
    struct Case {
        const char* name;
        const char* folder;
    };
    const Case cases[] = {
        {"other fixed drive", "D:\\Start Menu\\Programs\\StartUp"},
        {"removable drive", "E:\\Start Menu\\Programs\\StartUp"},
        {"network drive", "F:\\Start Menu\\Programs\\StartUp"},
        {"CD-ROM drive", "G:\\Start Menu\\Programs\\StartUp"},
        {"13 characters", "C:\\StartUp123"},
        {"network path", "\\\\server\\share\\StartUp"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        for (auto mode : {SWEEP_REPORT, SWEEP_DISABLE, SWEEP_RESTORE}) {
            FileMachine m;
            std::string folder = c.folder;
            m.SetStartupValue(RegRoot::CurrentUser, folder);
            m.SetStartupValue(RegRoot::LocalMachine, folder);
            if (folder[1] == ':') {
                m.Add(folder + "\\RoxioTray.lnk", "r");
                m.Add(folder + "_Disabled\\CreateCD.lnk", "c");
            }
            CHECK(sweep::SweepStartupFolders(m.context, mode) == 0);
            CHECK(m.ReportLines().empty());
            if (folder[1] == ':') {
                CHECK(m.Has(folder + "\\RoxioTray.lnk"));
                CHECK(m.Has(folder + "_Disabled\\CreateCD.lnk"));
            }
        }
    }
}

TEST_CASE("a Startup folder of exactly 14 characters is taken") {
    FileMachine m;
    m.SetStartupValue(RegRoot::CurrentUser, "C:\\Startup1234");
    m.Add("C:\\Startup1234\\RoxioTray.lnk", "r");
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 1);
    CHECK(m.Has("C:\\Startup1234_Disabled\\RoxioTray.lnk"));
}

TEST_CASE("a report lists each fragment a name holds, in both Startup folders") {
    FileMachine m;
    m.files.AddFolder(kUser + "\\Only\\Folders");
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_REPORT) == 0);
    m.Add(kUser + "\\RealTray Roxio.lnk", "x");
    m.Add(std::string(kCommonStartup) + "\\Sub\\NeroCheck.lnk", "y");
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_REPORT) == 3);
    CHECK(m.ReportLines() ==
          "Start: RealTray Roxio.lnk\r\nStart: RealTray Roxio.lnk\r\nStart: NeroCheck.lnk\r\n");
}

TEST_CASE("a restore purges only what the Startup folder holds again") {
    FileMachine m;
    m.Add(kUser + "\\RoxioTray.lnk", "old");
    m.Add(kUser + "\\Elby.lnk", "e");
    m.Add(kUser + "\\Padus.lnk", "p");
    REQUIRE(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 3);
    m.Add(kUser + "\\RoxioTray.lnk", "new");  // installed again since
    m.files.SetHeldOpen(kSibling + "\\Padus.lnk", true);

    // Elby.lnk back; the old RoxioTray.lnk purged; Padus.lnk, which could not
    // move, stays with the sibling folder.
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_RESTORE) == 1 + 1);
    CHECK(m.Contents(kUser + "\\RoxioTray.lnk") == "new");
    CHECK(m.Contents(kUser + "\\Elby.lnk") == "e");
    CHECK(m.Contents(kSibling + "\\Padus.lnk") == "p");
    CHECK_FALSE(m.Has(kSibling + "\\RoxioTray.lnk"));
    CHECK_FALSE(m.Has(kUser + "\\Padus.lnk"));
}

TEST_CASE("a Startup value ending in a backslash puts the sibling beside the folder") {
    FileMachine m;
    m.SetStartupValue(RegRoot::CurrentUser, kUser + "\\");
    m.Add(kUser + "\\RoxioTray.lnk", "r");
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 1);
    CHECK(m.Contents(kSibling + "\\RoxioTray.lnk") == "r");
    CHECK_FALSE(m.Has(kUser + "\\_Disabled"));
}

TEST_CASE("paths that would not fit are skipped, never cut") {
    // A folder of 251 characters: its sibling (260) would not fit.
    std::string longFolder = "C:\\" + std::string(248, 'a');
    REQUIRE(longFolder.size() == 251);
    {
        FileMachine m;
        m.SetStartupValue(RegRoot::CurrentUser, longFolder);
        m.Add(longFolder + "\\Elby", "e");
        CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 0);
        CHECK(m.Contents(longFolder + "\\Elby") == "e");
        int folders = 0;
        for (const auto& child : m.files.Find("C:\\")->children) folders += child->name[0] == 'a';
        CHECK(folders == 1);  // no sibling, whole or cut
    }
    {
        // The sibling fits (249 + 9 = 258) but Elby.lnk would not fit beside it.
        std::string folder = "C:\\" + std::string(246, 'b');
        FileMachine m;
        m.SetStartupValue(RegRoot::CurrentUser, folder);
        m.Add(folder + "\\Elby.lnk", "e");
        CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 0);
        CHECK(m.Contents(folder + "\\Elby.lnk") == "e");
        CHECK(m.IsFolder(folder + "_Disabled"));
        CHECK(m.Picture(folder + "_Disabled").empty());
    }
}
