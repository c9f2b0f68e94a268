// The real Dravolin.exe ended from outside in the middle of a sweep, as the
// task list or a power cut ends it, on generated machines large enough that
// a sweep lasts some seconds: during New Driver in one run, during Old Driver
// (after a whole New Driver) in the next. The program is started again, Old
// Driver pressed, and every place a sweep touches compared with the picture
// taken before New Driver; only what a sweep leaves by design may differ.
//
// Each cut point has a seed: it makes the machine, picks the command (odd
// seeds New Driver, even seeds Old Driver) and the moment, a time between
// the end of the command's pause and the end of the same command on the
// first machine, measured at the start. Replay one with
// DRAVOLIN_WINE_CUT_FIRST_SEED=seed DRAVOLIN_WINE_CUT_POINTS=1 (a moment in
// time lands on another step from run to run). DRAVOLIN_WINE_CUT_POINTS sets
// how many cut points run (default 4).
#include <doctest/doctest.h>
#include <windows.h>

#include <random>
#include <string>

#include "tests/wine_cut_off/dravolin_process.h"
#include "tests/wine_round_trip/machine_seed.h"
#include "tests/wine_round_trip/real_sweep_machine.h"

namespace {

using winetest::DravolinProcess;
using winetest::MachinePicture;
using winetest::RealSweepMachine;

constexpr int kCutPointsInCi = 4;
// Startup entries per Startup folder and values per Run key added to each
// generated machine.
constexpr int kLargeMachineEntries = 600;
constexpr const char* kProgramFolder = "C:\\Program Files\\Velmo";
constexpr const char* kProgramName = "Dravolin.exe";

// Dravolin.exe installed from beside this test program into its own folder,
// where its engine stage and running-program guard look.
std::string Install() {
    char self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, sizeof self);
    if (length == 0 || length >= sizeof self) return "";
    std::string built(self, length);
    built = built.substr(0, built.rfind('\\') + 1) + kProgramName;
    ::CreateDirectoryA("C:\\Program Files", nullptr);
    ::CreateDirectoryA(kProgramFolder, nullptr);
    const std::string installed = std::string(kProgramFolder) + "\\" + kProgramName;
    return ::CopyFileA(built.c_str(), installed.c_str(), FALSE) ? installed : "";
}

// The prefix fresh again with the large machine of `seed` written into it.
bool Seed(RealSweepMachine& machine, unsigned seed) {
    if (!machine.Reset().empty()) return false;
    const test::MachineDescription generated =
        test::MachineGenerator(seed, machine.Kind(), machine.Layout())
            .GenerateLarge(kLargeMachineEntries);
    return winetest::SeedMachine(generated).empty();
}

bool Unchanged(const MachinePicture& before, const MachinePicture& after) {
    return winetest::Differences(before, after).empty();
}

// How long New Driver and Old Driver hold the dialog on the first machine, a
// whole round trip that must itself give the machine back.
struct Durations {
    DWORD newDriver = 0;
    DWORD oldDriver = 0;
};

Durations Measure(RealSweepMachine& machine, const std::string& program, unsigned seed) {
    Durations took;
    REQUIRE(Seed(machine, seed));
    const MachinePicture before = machine.Take();
    DravolinProcess dravolin(program);
    REQUIRE(dravolin.Started());
    took.newDriver = dravolin.Press(winetest::kCommandNewDriver);
    took.oldDriver = dravolin.Press(winetest::kCommandOldDriver);
    CHECK(dravolin.Close());
    const auto unexplained =
        winetest::Unexplained(winetest::Differences(before, machine.Take()), before, machine);
    CHECK_MESSAGE(unexplained.empty(),
                  "seed " << seed << " whole round trip:" << winetest::Listed(unexplained));
    REQUIRE(took.newDriver > winetest::kSweepPauseMs);
    REQUIRE(took.oldDriver > winetest::kSweepPauseMs);
    return took;
}

// Where the cuts landed, for the run's figures.
struct Tally {
    int midSweep = 0;      // the command was running and had changed the machine
    int beforeChange = 0;  // running, but nothing changed yet
    int afterEnd = 0;      // the command had ended
};

}  // namespace

TEST_CASE("Dravolin.exe ended from outside during a sweep loses nothing at its next Old Driver") {
    RealSweepMachine& machine = RealSweepMachine::Shared();
    const std::string program = Install();
    REQUIRE(!program.empty());
    const int points = winetest::MachinesToRun("DRAVOLIN_WINE_CUT_POINTS", kCutPointsInCi);
    const int first = winetest::MachinesToRun("DRAVOLIN_WINE_CUT_FIRST_SEED", 1);
    const Durations took = Measure(machine, program, static_cast<unsigned>(first));
    MESSAGE("New Driver " << took.newDriver << " ms, Old Driver " << took.oldDriver
                          << " ms on the machine of seed " << first);

    Tally tally;
    for (int seed = first; seed < first + points; ++seed) {
        const bool duringNewDriver = seed % 2 == 1;
        const DWORD length = duringNewDriver ? took.newDriver : took.oldDriver;
        std::mt19937 random(static_cast<unsigned>(seed));
        const DWORD cutMs =
            std::uniform_int_distribution<DWORD>(winetest::kSweepPauseMs, length)(random);
        const std::string what = std::string("seed ") + std::to_string(seed) +
                                 (duringNewDriver ? ": New Driver" : ": Old Driver") +
                                 " ended after " + std::to_string(cutMs) + " ms";
        INFO(what);
        REQUIRE(Seed(machine, static_cast<unsigned>(seed)));
        const MachinePicture before = machine.Take();

        MachinePicture atCut = before;
        bool running = false;
        {
            DravolinProcess dravolin(program);
            REQUIRE(dravolin.Started());
            if (!duringNewDriver) {
                REQUIRE(dravolin.Press(winetest::kCommandNewDriver) != 0);
                atCut = machine.Take();
            }
            running = dravolin.PressAndEnd(
                duringNewDriver ? winetest::kCommandNewDriver : winetest::kCommandOldDriver, cutMs);
        }
        const bool changed = !Unchanged(atCut, machine.Take());
        (running ? (changed ? tally.midSweep : tally.beforeChange) : tally.afterEnd) += 1;
        {
            DravolinProcess again(program);
            REQUIRE(again.Started());
            CHECK(again.Press(winetest::kCommandOldDriver) != 0);
            CHECK(again.Close());
        }
        const auto unexplained =
            winetest::Unexplained(winetest::Differences(before, machine.Take()), before, machine);
        CHECK_MESSAGE(unexplained.empty(), what << ":" << winetest::Listed(unexplained));
        const std::string landed = !running  ? "after the command had ended"
                                   : changed ? "mid-sweep"
                                             : "before any change";
        MESSAGE(what << ", " << landed);
    }
    MESSAGE(points << " cut points from seed " << first << ": " << tally.midSweep << " mid-sweep, "
                   << tally.beforeChange << " before any change, " << tally.afterEnd
                   << " after the command had ended");
    CHECK(tally.midSweep > 0);
}
