// Any one failing move, copy, delete, attribute change, attribute read or
// listing loses no file: each stays in its own folder or its put-aside
// folder, contents and attributes whole. Each such operation of a sweep is
// failed in turn.
#include "platform/emulated/file_faults.h"

#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "sweep/conflict_catalogue.h"
#include "sweep/engine_libraries.h"
#include "sweep/startup_folders.h"
#include "tests/unit/sweep/file_machine.h"

namespace {

using filetest::FileMachine;
using filetest::kProgramFolder;
using filetest::kSystemFolder;
using filetest::kUserStartup;
using platform::kAttributeHidden;
using platform::kAttributeReadOnly;
using platform::kAttributeSystem;
namespace emulated = platform::emulated;

constexpr unsigned kFailedKinds = emulated::FILE_OP_MOVE | emulated::FILE_OP_COPY |
                                  emulated::FILE_OP_DELETE | emulated::FILE_OP_SET_ATTRIBUTES |
                                  emulated::FILE_OP_GET_ATTRIBUTES | emulated::FILE_OP_LIST |
                                  emulated::FILE_OP_CREATE_FOLDER | emulated::FILE_OP_REMOVE_FOLDER;

struct Original {
    std::string contents;
    std::uint32_t attributes;
    std::vector<std::string> places;  // where it may be found afterwards
};

const std::string kUser = kUserStartup;
const std::string kSibling = kUser + "_Disabled";

std::vector<std::pair<std::string, Original>> StartupFiles() {
    std::vector<std::pair<std::string, Original>> files;
    for (const char* name : {"CreateCD.lnk", "Tools\\RoxioTray.lnk", "Tools\\Deep\\Elby.lnk",
                             "keep.lnk", "Tools\\notes.lnk"}) {
        std::string rel = name;
        std::uint32_t attributes = rel.size() % 2 ? kAttributeReadOnly | kAttributeHidden : 0;
        files.push_back(
            {rel, {"data of " + rel, attributes, {kUser + "\\" + rel, kSibling + "\\" + rel}}});
    }
    return files;
}

void AddStartupFiles(FileMachine& m) {
    for (const auto& [rel, original] : StartupFiles())
        m.Add(kUser + "\\" + rel, original.contents, original.attributes);
}

// Each file exactly once in one of its places, contents and attributes whole.
void CheckStartupFiles(const FileMachine& m) {
    for (const auto& [rel, original] : StartupFiles()) {
        CAPTURE(rel);
        int found = 0;
        for (const std::string& place : original.places) {
            if (!m.Has(place)) continue;
            ++found;
            CHECK(m.Contents(place) == original.contents);
            CHECK(m.Attributes(place) == original.attributes);
        }
        CHECK(found == 1);
    }
}

// Runs `sweep` on fresh machines made by `prepare`, failing its 1st, 2nd, ...
// changing operation until a run has no such operation left to fail.
void FailEachOperation(const std::function<void(FileMachine&)>& prepare,
                       const std::function<void(FileMachine&)>& sweep,
                       const std::function<void(const FileMachine&)>& check) {
    FileMachine clean;
    prepare(clean);
    clean.files.Faults().FailNth(0, kFailedKinds);
    sweep(clean);
    unsigned operations = clean.files.Faults().Counted();
    REQUIRE(operations > 5);
    for (unsigned n = 1; n <= operations; ++n) {
        CAPTURE(n);
        FileMachine m;
        prepare(m);
        m.files.Faults().FailNth(n, kFailedKinds);
        sweep(m);
        check(m);
    }
}

}  // namespace

TEST_CASE("a Startup folder disable with any one failing operation loses nothing") {
    FailEachOperation(
        AddStartupFiles,
        [](FileMachine& m) { sweep::SweepStartupFolders(m.context, sweep::SWEEP_DISABLE); },
        CheckStartupFiles);
}

TEST_CASE("a Startup folder restore with any one failing operation loses nothing") {
    FailEachOperation(
        [](FileMachine& m) {
            AddStartupFiles(m);
            m.Add(kUser + "\\Tools\\RoxioTray.lnk.new", "n");
            sweep::SweepStartupFolders(m.context, sweep::SWEEP_DISABLE);
            m.Add(kSibling + "\\Padus.lnk", "taken again");
            m.Add(kUser + "\\Padus.lnk", "installed since", kAttributeSystem);
        },
        [](FileMachine& m) { sweep::SweepStartupFolders(m.context, sweep::SWEEP_RESTORE); },
        [](const FileMachine& m) {
            CheckStartupFiles(m);
            CHECK(m.Contents(kUser + "\\Padus.lnk") == "installed since");
            CHECK(m.Attributes(kUser + "\\Padus.lnk") == kAttributeSystem);
        });
}

TEST_CASE("an engine library relocation with any one failing operation loses no library") {
    const std::string folder = kProgramFolder;
    const std::string engine = folder + "\\VLREC";
    struct Library {
        std::string source;
        std::string backup;
        std::string system;
        std::string contents;
        std::uint32_t attributes;
    };
    std::vector<Library> libraries;
    for (int i = 0; i < 4; ++i) {
        std::string name = sweep::EngineLibraries[i];
        std::string at = i == 2 ? engine : folder;
        libraries.push_back({at + "\\" + name, at + "\\Dravolin\\" + name,
                             std::string(kSystemFolder) + "\\" + name, "engine " + name,
                             i == 0 ? kAttributeReadOnly : kAttributeHidden});
    }
    FailEachOperation(
        [&](FileMachine& m) {
            // The fourth library's name is taken in the system folder by an
            // older one: only its own folders can hold this one.
            m.Add(libraries[3].system, "older");
            m.files.AddFolder(folder + "\\Dravolin");
            m.files.AddFolder(engine + "\\Dravolin");
            for (const Library& l : libraries) m.Add(l.source, l.contents, l.attributes);
        },
        [](FileMachine& m) { sweep::SweepEngineLibraries(m.context, sweep::SWEEP_DISABLE); },
        [&](const FileMachine& m) {
            for (const Library& l : libraries) {
                CAPTURE(l.source);
                int found = 0;
                for (const std::string& place : {l.source, l.backup, l.system}) {
                    if (!m.Has(place) || m.Contents(place) == "older") continue;
                    ++found;
                    CHECK(m.Contents(place) == l.contents);
                    CHECK(m.Attributes(place) == l.attributes);
                }
                CHECK(found >= 1);
            }
            CHECK(m.Contents(libraries[3].system) == "older");
        });
}
