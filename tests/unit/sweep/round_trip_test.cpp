// New Driver then Old Driver on many generated machines of every family, the
// NT family on 32-bit and on 64-bit Windows: New Driver leaves nothing of
// what the sweep looks for in either view, and Old Driver gives the machine
// back exactly, every key, value, file and folder with its type, bytes,
// contents and attributes in the view it was in, apart from what a sweep
// leaves by design; and a Test before lists everything New Driver then puts
// aside in the native view. A failing machine prints its seed;
// DRAVOLIN_ROUND_TRIP_MACHINES sets how many machines run (default 300).
#include <doctest/doctest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "sweep/run_sweep.h"
#include "tests/machines/machine_findings.h"
#include "tests/machines/machine_generator.h"
#include "tests/unit/sweep/sweep_machine.h"

namespace {

using test::Bitness;
using test::Family;

constexpr Family kFamilies[] = {
    {platform::PLATFORM_NT, Bitness::k32},
    {platform::PLATFORM_9X, Bitness::k32},
    {platform::PLATFORM_NT, Bitness::k64},
};
constexpr int kFamilyCount = sizeof kFamilies / sizeof kFamilies[0];
// Snapshot lines a failure message shows.
constexpr int kShownLines = 5;

test::MachineLayout LayoutOf(const Family& family) {
    const bool nt = family.kind == platform::PLATFORM_NT;
    const std::string system = nt ? test::kNtSystemFolder : test::kWin9xSystemFolder;
    test::MachineLayout layout =
        test::WithGeneratedStartupFolders(system, system + (nt ? "\\DRIVERS" : "\\IOSUBSYS"));
    if (family.bitness == Bitness::k64) layout.wow64SystemFolder = test::kWow64SystemFolder;
    return layout;
}

int MachineCount() {
    const char* count = std::getenv("DRAVOLIN_ROUND_TRIP_MACHINES");
    return count ? std::atoi(count) : 300;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The path a snapshot line of a file or folder ends in, in lower case: the
// fields before it hold no blank.
std::string PathOf(const std::string& line) {
    const auto at = line.find(" C:\\");
    return at == std::string::npos ? "" : Lower(line.substr(at + 1));
}

// What a round trip leaves that was not there before, by design: the empty
// twin keys below a control set, each view's OldSharedDLLs key, the twin of
// the ASPI warning key with what the live key held, each view's hive backup,
// the "Dravolin" backup folders and the "_Disabled" siblings of the Startup
// folders with their empty folder tree.
bool LeftByDesign(const std::string& line, const std::set<std::string>& before,
                  const test::MachineLayout& layout) {
    const std::string system = "[hkey_local_machine\\system\\";
    const std::string twinStep = "\\old";
    if (StartsWith(line, "[")) {
        const std::string key = line.substr(0, line.find(']') + 1);
        const auto setEnd = key.find('\\', system.size());
        const bool twin = StartsWith(key, system) && setEnd != std::string::npos &&
                          StartsWith(key.substr(setEnd), twinStep);
        if (key == line) return twin || EndsWith(key, "\\oldshareddlls]");
        const std::string warnVerDlls = "control\\sessionmanager\\warnverdlls]";
        if (!twin || !EndsWith(key, twinStep + warnVerDlls)) return false;
        const std::string live =
            key.substr(0, key.size() - (twinStep + warnVerDlls).size()) + "\\" + warnVerDlls;
        return before.count(live + line.substr(key.size())) != 0;
    }
    const std::string path = PathOf(line);
    if (StartsWith(line, "file ")) {
        for (const test::ViewPlaces& view : test::ViewsOf(layout)) {
            if (path == Lower(view.systemFolder) + "\\vl_share.dat") return true;
        }
        return false;
    }
    if (EndsWith(path, "\\dravolin")) return true;
    for (const std::string& startup : {layout.userStartup, layout.commonStartup}) {
        if (StartsWith(path, Lower(startup) + "_disabled")) return true;
    }
    return false;
}

bool ValueThere(test::SweepMachine& m, const test::RegistryItem& item) {
    platform::RegKey key;
    return m.registry.OpenKey(item.root, item.key.c_str(), platform::kKeyQueryValue, key) ==
               platform::kErrorSuccess &&
           m.registry.QueryValue(key, item.name.c_str(), nullptr, nullptr, nullptr) ==
               platform::kErrorSuccess;
}

// What New Driver should have put aside and stands at its own place still.
std::vector<std::string> NotPutAside(test::SweepMachine& m, const test::MachineDescription& machine,
                                     const test::MachineLayout& layout) {
    std::vector<std::string> left;
    const test::Findings findings = test::ToBePutAside(machine, layout);
    for (const test::FileItem& file : findings.files) {
        if (m.files.Find(file.path) != nullptr) left.push_back(file.path);
    }
    for (const test::RegistryItem& value : findings.values) {
        if (ValueThere(m, value)) left.push_back(value.key + " :: " + value.name);
    }
    return left;
}

std::string Listed(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kShownLines; ++i) text += "\n  " + lines[i];
    return text;
}

}  // namespace

TEST_CASE("New Driver then Old Driver gives every generated machine back") {
    const int machines = MachineCount();
    int checked[kFamilyCount] = {};
    long findings = 0;
    for (int seed = 1; seed <= machines; ++seed) {
        const int family = seed % kFamilyCount;
        const auto [kind, bitness] = kFamilies[family];
        const test::MachineLayout layout = LayoutOf(kFamilies[family]);
        const test::MachineDescription machine =
            test::MachineGenerator(static_cast<unsigned>(seed), kind, layout).Generate();
        test::SweepMachine m(kind, machine.RegText(), machine.Manifest(), bitness);

        const auto before = m.Snapshot();
        const int found = sweep::RunSweep(m.context, sweep::SWEEP_REPORT);
        // What New Driver puts aside in the native view, a Test has listed.
        std::vector<std::string> unlisted;
        for (const std::string& line :
             test::NativeFindingLines(machine, layout, test::kOldDriverOf)) {
            if (!std::strstr(m.report->Text(), line.c_str())) unlisted.push_back(line);
        }
        CHECK_MESSAGE(unlisted.empty(), "seed " << seed << " not listed:" << Listed(unlisted));

        sweep::RunSweep(m.context, sweep::SWEEP_DISABLE);
        const std::vector<std::string> left = NotPutAside(m, machine, layout);
        CHECK_MESSAGE(left.empty(), "seed " << seed << " not put aside:" << Listed(left));
        sweep::RunSweep(m.context, sweep::SWEEP_RESTORE);
        const auto after = m.Snapshot();
        std::vector<std::string> lost, extra;
        for (const std::string& line : before) {
            if (line.find("warnverdlls] \"winaspi.dll\"") != std::string::npos) continue;
            if (after.count(line) == 0) lost.push_back(line);
        }
        for (const std::string& line : after) {
            if (before.count(line) == 0 && !LeftByDesign(line, before, layout)) extra.push_back(line);
        }
        CHECK_MESSAGE(lost.empty(), "seed " << seed << " lost:" << Listed(lost));
        CHECK_MESSAGE(extra.empty(), "seed " << seed << " left over:" << Listed(extra));
        // What a Test found before, it finds again, but the ASPI entry it
        // never reports.
        CHECK_MESSAGE(sweep::RunSweep(m.context, sweep::SWEEP_REPORT) == found, "seed " << seed);
        ++checked[family];
        findings += found;
    }
    MESSAGE(checked[0] << " NT, " << checked[1] << " 9x and " << checked[2]
                       << " 64-bit NT machines, " << findings << " findings");
    CHECK(findings > machines);  // the machines are no empty shells
}
