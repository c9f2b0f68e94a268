// The engine libraries relocated by a disable sweep and listed by the others.
#include "sweep/engine_libraries.h"

#include <doctest/doctest.h>

#include <string>

#include "platform/emulated/file_faults.h"
#include "sweep/conflict_catalogue.h"
#include "sweep/file_moves.h"
#include "tests/unit/sweep/file_machine.h"

namespace {

using filetest::FileMachine;
using filetest::kProgramFolder;
using filetest::kSystemFolder;
using platform::kAttributeHidden;
using platform::kAttributeReadOnly;

const std::string kLibrary = sweep::EngineLibraries[0];
const std::string kSecondLibrary = sweep::EngineLibraries[1];
const std::string kBeside = std::string(kProgramFolder) + "\\" + kLibrary;
const std::string kBackup = std::string(kProgramFolder) + "\\Dravolin";
const std::string kInBackup = kBackup + "\\" + kLibrary;
const std::string kInSystem = std::string(kSystemFolder) + "\\" + kLibrary;

}  // namespace

TEST_CASE("a disable counts copies and moves of each library and leaves none beside the program") {
    struct Case {
        const char* name;
        bool backupFolder;
        bool inSystem;
        bool inBackup;
        int count;
    };
    const Case cases[] = {
        {"new to both", true, false, false, 2},
        {"already in the system folder", true, true, false, 1},
        {"already in the Dravolin folder", true, false, true, 1},
        {"already in both", true, true, true, 0},
        {"no Dravolin folder", false, false, false, 1},
        {"no Dravolin folder, already in the system folder", false, true, false, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        FileMachine m;
        m.Add(kBeside, "engine", kAttributeReadOnly | kAttributeHidden);
        if (c.backupFolder) m.files.AddFolder(kBackup);
        if (c.inSystem) m.Add(kInSystem, "older");
        if (c.inBackup) m.Add(kInBackup, "earlier");

        CHECK(sweep::SweepEngineLibraries(m.context, sweep::SWEEP_DISABLE) == c.count);
        CHECK_FALSE(m.Has(kBeside));
        CHECK(m.Contents(kInSystem) == (c.inSystem ? "older" : "engine"));
        if (!c.inSystem) CHECK(m.Attributes(kInSystem) == (kAttributeReadOnly | kAttributeHidden));
        if (c.backupFolder) {
            CHECK(m.Contents(kInBackup) == (c.inBackup ? "earlier" : "engine"));
            if (!c.inBackup)
                CHECK(m.Attributes(kInBackup) == (kAttributeReadOnly | kAttributeHidden));
        } else {
            CHECK_FALSE(m.Has(kBackup));
        }
    }
}

TEST_CASE("the engine folder VLREC is relocated into its own Dravolin folder") {
    FileMachine m;
    std::string engine = std::string(kProgramFolder) + "\\VLREC";
    m.Add(engine + "\\" + kSecondLibrary, "second");
    m.files.AddFolder(engine + "\\Dravolin");
    m.Add(engine + "\\Sub\\" + kLibrary, "not entered");
    CHECK(sweep::SweepEngineLibraries(m.context, sweep::SWEEP_DISABLE) == 2);
    CHECK(m.Contents(engine + "\\Dravolin\\" + kSecondLibrary) == "second");
    CHECK(m.Contents(std::string(kSystemFolder) + "\\" + kSecondLibrary) == "second");
    CHECK(m.Contents(engine + "\\Sub\\" + kLibrary) == "not entered");
}

TEST_CASE("report and restore sweeps list the libraries and move nothing back") {
    for (auto mode : {sweep::SWEEP_REPORT, sweep::SWEEP_RESTORE}) {
        FileMachine m;
        m.Add(kBeside, "engine");
        m.Add(std::string(kProgramFolder) + "\\VLREC\\" + kSecondLibrary, "second");
        m.Add(kInBackup, "relocated earlier");
        m.Add(std::string(kProgramFolder) + "\\readme.txt", "r");
        CHECK(sweep::SweepEngineLibraries(m.context, mode) == 2);
        CHECK(m.ReportLines() == "VLREC: " + kLibrary + "\r\nVLREC: " + kSecondLibrary + "\r\n");
        CHECK(m.Contents(kBeside) == "engine");
        CHECK(m.Contents(kInBackup) == "relocated earlier");
        CHECK_FALSE(m.Has(kInSystem));
    }
}

TEST_CASE("a library that can go nowhere stays beside the program with its attributes") {
    FileMachine m;
    m.Add(kBeside, "engine", kAttributeReadOnly);
    // The copy reaches the system folder by a rename from its scratch name.
    m.files.Faults().FailPath(kInSystem, platform::emulated::FILE_OP_MOVE);
    CHECK(sweep::SweepEngineLibraries(m.context, sweep::SWEEP_DISABLE) == 0);
    CHECK(m.Contents(kBeside) == "engine");
    CHECK(m.Attributes(kBeside) == kAttributeReadOnly);
    CHECK_FALSE(m.Has(kInSystem));
    CHECK_FALSE(m.Has(std::string(kSystemFolder) + "\\" + sweep::kCopyScratchFile));
}

TEST_CASE("a library that cannot be deleted keeps its attributes") {
    FileMachine m;
    m.Add(kBeside, "engine", kAttributeHidden);
    m.files.SetHeldOpen(kBeside, true);  // loaded by a running program
    CHECK(sweep::SweepEngineLibraries(m.context, sweep::SWEEP_DISABLE) == 0);
    CHECK(m.Contents(kBeside) == "engine");
    CHECK(m.Attributes(kBeside) == kAttributeHidden);
}

TEST_CASE("a library whose move fails stays while the system folder holds only an older one") {
    FileMachine m;
    m.Add(kBeside, "engine", kAttributeHidden);
    m.Add(kInSystem, "older");
    m.files.AddFolder(kBackup);
    m.files.Faults().FailPath(kInBackup, platform::emulated::FILE_OP_MOVE);
    CHECK(sweep::SweepEngineLibraries(m.context, sweep::SWEEP_DISABLE) == 0);
    CHECK(m.Contents(kBeside) == "engine");
    CHECK(m.Attributes(kBeside) == kAttributeHidden);
    CHECK(m.Contents(kInSystem) == "older");
}
