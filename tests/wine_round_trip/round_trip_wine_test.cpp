// New Driver then Old Driver on generated machines, for real: each machine
// written into the scratch prefix through the registry and file calls, swept
// as Dravolin.exe sweeps (Test, New Driver, Old Driver, each command with its
// report sweep), and the whole of every place a sweep touches compared after
// with before. Only what a sweep leaves by design may differ. A failing
// machine prints its seed. DRAVOLIN_WINE_ROUND_TRIP_MACHINES sets how many
// machines run (default 2), DRAVOLIN_WINE_ROUND_TRIP_FIRST_SEED the first seed.
#include <doctest/doctest.h>

#include "sweep/run_sweep.h"
#include "tests/wine_round_trip/machine_seed.h"
#include "tests/wine_round_trip/real_sweep_machine.h"

namespace {

constexpr int kMachinesInCi = 2;

}  // namespace

TEST_CASE("New Driver then Old Driver gives every generated machine back on the real system") {
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
