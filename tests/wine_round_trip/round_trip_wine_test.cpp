// New Driver then Old Driver on generated machines, for real: each machine
// written into the scratch prefix through the registry and file calls, swept
// as Dravolin.exe sweeps (Test, New Driver, Old Driver, each command with its
// report sweep), and the whole of every place a sweep touches compared after
// with before. Only what a sweep leaves by design may differ. On 64-bit
// Windows the machines lie in both views, the sweep works on both, New Driver
// must leave nothing it looks for in either, and the places are compared as
// they lie on the disk and in the native registry, so a thing brought back
// into the other view shows. A failing machine prints its seed.
// DRAVOLIN_WINE_ROUND_TRIP_MACHINES sets how many machines run (default 2),
// DRAVOLIN_WINE_ROUND_TRIP_FIRST_SEED the first seed.
#include <doctest/doctest.h>

#include "platform/win32/wow64.h"
#include "sweep/run_sweep.h"
#include "tests/machines/machine_findings.h"
#include "tests/wine_round_trip/machine_seed.h"
#include "tests/wine_round_trip/native_view.h"
#include "tests/wine_round_trip/real_sweep_machine.h"

namespace {

constexpr int kMachinesInCi = 2;
// Findings a failure message shows.
constexpr std::size_t kShownFindings = 5;

// What of the findings of `machine` still stands at its own place.
std::string NotPutAside(const test::MachineDescription& machine, const test::MachineLayout& layout) {
    const test::Findings findings = test::ToBePutAside(machine, layout);
    std::string left;
    std::size_t shown = 0;
    for (const test::FileItem& file : findings.files) {
        if (winetest::Stands(file) && shown++ < kShownFindings) left += "\n  " + file.path;
    }
    for (const test::RegistryItem& value : findings.values) {
        if (winetest::Stands(value) && shown++ < kShownFindings) {
            left += "\n  " + value.key + " :: " + value.name;
        }
    }
    return left;
}

void RoundTripGeneratedMachines() {
    winetest::RealSweepMachine& machine = winetest::RealSweepMachine::Shared();
    const int count = winetest::MachinesToRun("DRAVOLIN_WINE_ROUND_TRIP_MACHINES", kMachinesInCi);
    const int first = winetest::MachinesToRun("DRAVOLIN_WINE_ROUND_TRIP_FIRST_SEED", 1);
    long itemsCompared = 0;
    long findings = 0;
    for (int seed = first; seed < first + count; ++seed) {
        CAPTURE(seed);
        const std::vector<winetest::Difference> left = machine.Reset();
        REQUIRE_MESSAGE(left.empty(), "the prefix is not fresh again:" << winetest::Listed(left));
        const test::MachineDescription generated =
            test::MachineGenerator(static_cast<unsigned>(seed), machine.Kind(), machine.Layout())
                .Generate();
        const std::string unwritten = winetest::SeedMachine(generated);
        REQUIRE_MESSAGE(unwritten.empty(), "not written: " << unwritten);

        const winetest::MachinePicture before = machine.Take();
        const int found = machine.Sweep(sweep::SWEEP_REPORT);
        machine.Sweep(sweep::SWEEP_DISABLE);
        const std::string notPutAside = NotPutAside(generated, machine.Layout());
        CHECK_MESSAGE(notPutAside.empty(), "seed " << seed << " not put aside:" << notPutAside);
        machine.Sweep(sweep::SWEEP_REPORT);
        machine.Sweep(sweep::SWEEP_RESTORE);
        machine.Sweep(sweep::SWEEP_REPORT);
        const winetest::MachinePicture after = machine.Take();

        const std::vector<winetest::Difference> unexplained =
            winetest::Unexplained(winetest::Differences(before, after), before, machine);
        CHECK_MESSAGE(unexplained.empty(), "seed " << seed << ":" << winetest::Listed(unexplained));
        // What a Test found before, it finds again.
        CHECK(machine.Sweep(sweep::SWEEP_REPORT) == found);
        itemsCompared += static_cast<long>(before.size());
        findings += found;
    }
    MESSAGE(count << " machines from seed " << first << ", " << itemsCompared
                  << " items compared, " << findings << " findings");
    CHECK(findings > count);  // the machines are no empty shells
}

}  // namespace

TEST_CASE("New Driver then Old Driver gives every generated machine back on the real system") {
    RoundTripGeneratedMachines();
}

TEST_CASE("64-bit Windows: New Driver then Old Driver gives every generated machine back in both views") {
    // A prefix that is no 64-bit Windows, or a program that does not see the
    // native view there, would make this the round trip of one view again.
    REQUIRE(winetest::UnderWow64());
    REQUIRE(platform::win32::HasNativeView());
    REQUIRE(winetest::RealSweepMachine::Shared().SweepsNativeView());
    REQUIRE(winetest::RealSweepMachine::Shared().Layout().HasTwoViews());
    RoundTripGeneratedMachines();
}
