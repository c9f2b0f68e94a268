// The machines built to break the sweep, for real: names and data at the edge
// of the 260-byte buffers, Run keys of 2000 and 2001 values, odd Startup
// folder values, bytes beyond ASCII in names, a file that another program
// holds open without sharing, read-only files and folders being put aside,
// and on 64-bit Windows the machine's Run key in both views. Each machine is written into the scratch prefix and gets New Driver and
// Old Driver; after Old Driver the whole of every place a sweep touches
// is as it was, apart from what a sweep leaves by design.
#include <doctest/doctest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/win32/unique_handles.h"
#include "sweep/registry_text.h"
#include "sweep/run_sweep.h"
#include "sweep/startup_folders.h"
#include "tests/wine_file_stage/wine_scratch.h"
#include "tests/wine_round_trip/machine_seed.h"
#include "tests/wine_round_trip/real_sweep_machine.h"

namespace {

using platform::RegRoot;
using winetest::MachinePicture;
using winetest::RealSweepMachine;

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunPlace = "hkcu\\software\\microsoft\\windows\\currentversion\\run";
constexpr const char* kOldRunPlace = "hkcu\\software\\microsoft\\windows\\currentversion\\oldrun";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\ElbyCDIO";
constexpr const char* kHelperBuilt = "hold_file_helper.exe";
constexpr DWORD kHelperReadyMs = 60000;

std::string ValuePlace(const char* keyPlace, const std::string& name) {
    return std::string(keyPlace) + " :: " + winetest::Lower(name);
}

// A name of `length` characters that holds the startup fragment "Roxio".
std::string RunName(std::size_t length) { return "Roxio" + std::string(length - 5, 'n'); }

std::string UserStartup() { return RealSweepMachine::Shared().Layout().userStartup; }

// The Startup folder of the user, named by a plain value.
void WithUserStartup(test::MachineDescription& machine) {
    machine.Value(RegRoot::CurrentUser, kShellFolders, "Startup", platform::kRegSz,
                  test::Sz(UserStartup()));
    machine.Folder(UserStartup());
}

int StartupStage(sweep::SweepMode mode) {
    return sweep::SweepStartupFolders(RealSweepMachine::Shared().Context(), mode);
}

struct Trip {
    MachinePicture before;
    MachinePicture aside;  // after New Driver
    MachinePicture after;
};

// What a scenario does on the way, besides the sweeps.
struct Steps {
    std::function<void()> beforeNewDriver;
    std::function<void()> whileAside;  // after New Driver, before Old Driver
    // The whole sweep by default; a stage alone where the machine's edge lies
    // in that stage and a whole sweep, seconds in the guest, would add nothing.
    std::function<int(sweep::SweepMode)> sweep;
};

// New Driver with its report sweep, then Old Driver; after Old Driver nothing
// may differ but what a sweep leaves by design. The other report sweeps of
// the commands are left out: every sweep costs seconds in the guest, and the
// generated machines run them all.
Trip RoundTrip(const test::MachineDescription& description, const Steps& steps = {}) {
    RealSweepMachine& machine = RealSweepMachine::Shared();
    const auto left = machine.Reset();
    REQUIRE_MESSAGE(left.empty(), "the prefix is not fresh again:" << winetest::Listed(left));
    const std::string unwritten = winetest::SeedMachine(description);
    REQUIRE_MESSAGE(unwritten.empty(), "not written: " << unwritten);
    Trip trip;
    trip.before = machine.Take();
    const auto sweepOnce = [&](sweep::SweepMode mode) {
        return steps.sweep ? steps.sweep(mode) : machine.Sweep(mode);
    };
    if (steps.beforeNewDriver) steps.beforeNewDriver();
    sweepOnce(sweep::SWEEP_DISABLE);
    sweepOnce(sweep::SWEEP_REPORT);
    CHECK(machine.Report().Size() < sweep::kReportCapacity);
    trip.aside = machine.Take();
    if (steps.whileAside) steps.whileAside();
    sweepOnce(sweep::SWEEP_RESTORE);
    trip.after = machine.Take();
    const auto unexplained = winetest::Unexplained(winetest::Differences(trip.before, trip.after),
                                                   trip.before, machine);
    CHECK_MESSAGE(unexplained.empty(), "after Old Driver:" << winetest::Listed(unexplained));
    return trip;
}

// Another program holding a file open without sharing while it lives.
class HeldByAnotherProgram {
  public:
    explicit HeldByAnotherProgram(const std::string& path)
        : ready_(::CreateEventA(nullptr, TRUE, FALSE, kReadyEvent)),
          release_(::CreateEventA(nullptr, TRUE, FALSE, kReleaseEvent)) {
        const std::string helper = winetest::OwnFolder() + kHelperBuilt;
        std::string commandLine =
            "\"" + helper + "\" \"" + path + "\" " + kReadyEvent + " " + kReleaseEvent;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started = {};
        if (::CreateProcessA(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &started)) {
            process_ = platform::win32::UniqueKernelObject(started.hProcess);
            ::CloseHandle(started.hThread);
        }
        HANDLE waited[] = {ready_.Get(), process_.Get()};
        holding_ = process_.Valid() &&
                   ::WaitForMultipleObjects(2, waited, FALSE, kHelperReadyMs) == WAIT_OBJECT_0;
    }
    ~HeldByAnotherProgram() { Release(); }
    HeldByAnotherProgram(const HeldByAnotherProgram&) = delete;
    HeldByAnotherProgram& operator=(const HeldByAnotherProgram&) = delete;

    bool Holding() const { return holding_; }
    void Release() {
        if (!process_.Valid()) return;
        ::SetEvent(release_.Get());
        ::WaitForSingleObject(process_.Get(), kHelperReadyMs);
        process_.Reset();
    }

  private:
    static constexpr const char* kReadyEvent = "DravolinRoundTripHeld";
    static constexpr const char* kReleaseEvent = "DravolinRoundTripRelease";
    platform::win32::UniqueKernelObject ready_;
    platform::win32::UniqueKernelObject release_;
    platform::win32::UniqueKernelObject process_;
    bool holding_ = false;
};

}  // namespace

TEST_CASE("Run values at the edges of the buffers go aside whole or stay whole, for real") {
    struct Case {
        const char* what;
        std::string name;
        platform::ValueType type;
        std::string data;
        bool putAside;
    };
    const std::string text259(259, 't');
    const Case cases[] = {
        {"a name of 259 characters", RunName(259), platform::kRegSz, test::Sz("x"), true},
        {"a name of 260 characters", RunName(260), platform::kRegSz, test::Sz("x"), false},
        {"a name of 261 characters", RunName(261), platform::kRegSz, test::Sz("x"), false},
        {"text of 259 characters and its zero", "Roxio 259", platform::kRegSz, test::Sz(text259), true},
        {"text of 260 characters and its zero", "Roxio 260", platform::kRegSz, test::Sz(text259 + "t"), true},
        {"260 bytes of text without a zero", "Roxio open", platform::kRegSz, text259 + "t", true},
        {"261 bytes of text without a zero", "Roxio open 261", platform::kRegSz, text259 + "tt", true},
        {"a string without a zero", "Roxio short", platform::kRegSz, "ABC", true},
        {"an empty string", "Roxio empty", platform::kRegSz, test::Sz(""), true},
        {"no data at all", "Roxio none", platform::kRegNone, "", true},
        {"an empty binary", "Roxio binary", platform::kRegBinary, "", true},
        {"a type no one defined", "Roxio odd", 0xFFFFFFFF, "\x00\xFF\x80", true},
        {"a multi-string without its last zeros", "Roxio multi", platform::kRegMultiSz, std::string("a\0b", 3), true},
        {"bytes beyond ASCII in the name", "Roxio\xE9\xFF\x80\xA0", platform::kRegSz, test::Sz("\xE4\xF6"), true},
        {"a dword of three bytes", "Roxio dword", platform::kRegDword, "\x01\x02\x03", true},
    };
    test::MachineDescription machine;
    for (const Case& c : cases) machine.Value(RegRoot::CurrentUser, kRun, c.name, c.type, c.data);
    const Trip trip = RoundTrip(machine);
    for (const Case& c : cases) {
        INFO(std::string(c.what));
        const std::string place = ValuePlace(kRunPlace, c.name);
        REQUIRE(trip.before.count(place) == 1);
        // New Driver copies the whole Run key aside and then takes out of it
        // the values whose names it can read; their data may be of any size.
        CHECK((trip.aside.count(place) == 0) == c.putAside);
        const auto copy = trip.aside.find(ValuePlace(kOldRunPlace, c.name));
        CHECK((copy != trip.aside.end() && copy->second.what == trip.before.at(place).what));
    }
}

// Each report sweep walks the Run key once per startup fragment: on 2000
// values that is some 60,000 registry calls, so CTest runs this case as an
// entry of its own, beside the other machines.
TEST_CASE("a Run key of 2000 values is walked to its end, one of 2001 not, for real") {
    for (const int keep : {sweep::kMaxValuesExamined - 1, sweep::kMaxValuesExamined}) {
        CAPTURE(keep);
        test::MachineDescription machine;
        for (int i = 0; i < keep; ++i) {
            machine.Value(RegRoot::CurrentUser, kRun, "Keep" + std::to_string(i), platform::kRegSz,
                          test::Sz("k"));
        }
        machine.Value(RegRoot::CurrentUser, kRun, "Roxio last", platform::kRegSz, test::Sz("r"));
        const Trip trip = RoundTrip(machine);
        const bool lastAside = trip.aside.count(ValuePlace(kRunPlace, "Roxio last")) == 0;
        CHECK(lastAside == (keep < sweep::kMaxValuesExamined));
    }
}

TEST_CASE("a Startup folder value that is odd, short or elsewhere leaves the entries be, for real") {
    const std::string startup = UserStartup();
    struct Case {
        const char* what;
        platform::ValueType type;
        std::string data;
        bool entriesGoAside;
    };
    const Case cases[] = {
        {"a plain path", platform::kRegSz, test::Sz(startup), true},
        {"a path without its zero", platform::kRegSz, startup, true},
        {"an empty string", platform::kRegSz, test::Sz(""), false},
        {"an expandable string", platform::kRegExpandSz, test::Sz(startup), false},
        {"binary bytes", platform::kRegBinary, test::Sz(startup), false},
        {"the drive's root", platform::kRegSz, test::Sz("C:\\"), false},
        {"a short path", platform::kRegSz, test::Sz("C:\\StartUp"), false},
        {"a share", platform::kRegSz, test::Sz("\\\\server\\share\\Start Menu\\StartUp"), false},
        {"a path without a drive", platform::kRegSz, test::Sz(startup.substr(2)), false},
        {"260 bytes of text", platform::kRegSz, test::Sz(startup + std::string(260 - startup.size(), 'x')), false},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.what));
        test::MachineDescription machine;
        machine.Value(RegRoot::CurrentUser, kShellFolders, "Startup", c.type, c.data);
        machine.File(startup + "\\Roxio Tray.lnk", "R", "tray");
        const Trip trip = RoundTrip(machine, {{}, {}, StartupStage});
        CHECK((trip.aside.count(startup + "_Disabled\\Roxio Tray.lnk") == 1) == c.entriesGoAside);
    }
}

TEST_CASE("names with bytes beyond ASCII go aside and come back whole, for real") {
    const std::string entry = UserStartup() + "\\Sub\xE4\xFF\\Elby\xE9\xA0\x80.lnk";
    test::MachineDescription machine;
    WithUserStartup(machine);
    machine.File(entry, "H", "entry");
    machine.Value(RegRoot::LocalMachine, kServiceKey + std::string("\\\xC4\xFF\x9F"), "\xE9t\xE9",
                  platform::kRegBinary, "\x80\xFF");
    const Trip trip = RoundTrip(machine);
    CHECK(trip.aside.count(UserStartup() + "_Disabled\\Sub\xE4\xFF\\Elby\xE9\xA0\x80.lnk") == 1);
    CHECK(trip.aside.count(winetest::Lower(
              "HKLM\\System\\CurrentControlSet\\OldServices\\ElbyCDIO\\\xC4\xFF\x9F :: \xE9t\xE9")) == 1);
}

TEST_CASE("a file another program holds open without sharing is never lost") {
    const std::string held = UserStartup() + "\\Roxio Held.lnk";
    const std::string free = UserStartup() + "\\Roxio Free.lnk";
    const std::string sibling = UserStartup() + "_Disabled";
    test::MachineDescription machine;
    WithUserStartup(machine);
    machine.File(held, "-", "held");
    machine.File(free, "R", "free");

    SUBCASE("held while New Driver puts the folder's entries aside") {
        std::unique_ptr<HeldByAnotherProgram> holding;
        bool wasHolding = false;
        const Trip trip = RoundTrip(machine, {[&] {
                                                  holding = std::make_unique<HeldByAnotherProgram>(held);
                                                  wasHolding = holding->Holding();
                                              },
                                              [&] { holding.reset(); },
                                              StartupStage});
        CHECK(wasHolding);
        // The held entry stays where it was (it cannot be read while held:
        // its bytes are compared after Old Driver); the other goes aside.
        CHECK(trip.aside.count(held) == 1);
        CHECK(trip.aside.count(sibling + "\\Roxio Held.lnk") == 0);
        CHECK(trip.aside.count(sibling + "\\Roxio Free.lnk") == 1);
    }
    SUBCASE("held in the sibling folder while Old Driver brings the entries back") {
        bool wasHolding = false;
        MachinePicture whileHeld;
        RoundTrip(machine, {{}, [&] {
                                HeldByAnotherProgram holding(sibling + "\\Roxio Free.lnk");
                                wasHolding = holding.Holding();
                                StartupStage(sweep::SWEEP_RESTORE);
                                whileHeld = RealSweepMachine::Shared().Take();
                                // The held copy is the only one: it stays aside
                                // until a later Old Driver, which RoundTrip runs.
                            },
                            StartupStage});
        CHECK(wasHolding);
        CHECK(whileHeld.count(sibling + "\\Roxio Free.lnk") == 1);
        CHECK(whileHeld.count(free) == 0);
        CHECK(whileHeld.count(held) == 1);
    }
}

TEST_CASE("read-only files and folders being put aside are never lost") {
    const std::string startup = UserStartup();
    test::MachineDescription machine;
    WithUserStartup(machine);
    machine.File(startup + "\\Sub\\Roxio Read-only.lnk", "R", "read-only");
    machine.File(startup + "\\Sub\\Plain.lnk", "-", "plain");
    machine.File(startup + "\\Locked\\Roxio Inside.lnk", "RHS", "inside");
    machine.Folder(startup + "\\Locked", "R");
    const Trip trip = RoundTrip(machine);
    const auto aside = trip.aside.find(startup + "_Disabled\\Sub\\Roxio Read-only.lnk");
    REQUIRE(aside != trip.aside.end());
    CHECK(aside->second.what == trip.before.at(startup + "\\Sub\\Roxio Read-only.lnk").what);
    // Wherever the locked folder's entry is after New Driver, it is whole.
    const std::string inside = "\\Locked\\Roxio Inside.lnk";
    const bool somewhere = trip.aside.count(startup + inside) + trip.aside.count(startup + "_Disabled" + inside) == 1;
    CHECK(somewhere);
}

// The machine's Run key in both views of 64-bit Windows: a 32-bit value too
// long to list under a 64-bit program's name, and a name both views hold with
// data of their own. A Test lists the native values, New Driver puts each
// aside in its own view, Old Driver gives the machine back, and a Test lists
// the same again; judged through the dumps of both views.
TEST_CASE("64-bit Windows: Test lists the native Run values New Driver puts aside, for real") {
    RealSweepMachine& real = RealSweepMachine::Shared();
    REQUIRE(real.SweepsNativeView());
    const std::string own =
        std::string(test::kWow64SoftwareKey) + "\\Microsoft\\Windows\\CurrentVersion\\";
    const std::string native = "Software\\Microsoft\\Windows\\CurrentVersion\\";
    const std::string values[][3] = {
        {own, "NeroCheck", "C:\\Nero\\" + std::string(300, 'N')},
        {native, "NeroCheck", "nc64.exe"},
        {own, "Roxio Tray", "C:\\Roxio32\\tray.exe"},
        {native, "Roxio Tray", "C:\\Roxio64\\tray.exe"},
    };
    test::MachineDescription machine;
    for (const auto& [key, name, text] : values) {
        machine.Value(RegRoot::LocalMachine, key + "Run", name, platform::kRegSz, test::Sz(text));
    }
    const std::string listed =
        "Roxio Tray   \tType Registry: C:\\Roxio32\\tray.exe\r\n"
        "Roxio Tray   \tType Registry: C:\\Roxio64\\tray.exe\r\n"
        "NeroCheck   \tType Registry: nc64.exe\r\n";
    std::string testReport;
    int found = 0;
    const Trip trip = RoundTrip(machine, {[&] {
                                              found = real.Sweep(sweep::SWEEP_REPORT);
                                              testReport = real.Report().Text();
                                          },
                                          {},
                                          {}});
    CHECK(testReport.find(listed) != std::string::npos);
    for (const auto& [key, name, text] : values) {
        const std::string run = winetest::Lower("HKLM\\" + key + "Run :: " + name);
        const std::string oldRun = winetest::Lower("HKLM\\" + key + "OldRun :: " + name);
        INFO(run);
        REQUIRE(trip.before.count(run) == 1);
        CHECK(trip.aside.count(run) == 0);
        CHECK((trip.aside.count(oldRun) == 1 &&
               trip.aside.at(oldRun).what == trip.before.at(run).what));
    }
    CHECK(real.Sweep(sweep::SWEEP_REPORT) == found);
    CHECK(std::string(real.Report().Text()).find(listed) != std::string::npos);
}
