// How a sweep grows with the machine: a report sweep, and a New Driver
// followed by an Old Driver, on emulated machines with 10^2 to 10^5 Startup
// entries, Run values or SharedDLLs values. The "per_item" counter is the
// time per entry of the growing kind; flat per-item times mean linear growth.
// Not a test: run it with build/host/tests/benchmark/sweep_benchmark.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "sweep/run_sweep.h"
#include "tests/unit/sweep/sweep_machine.h"

namespace {

enum class Growth { StartupEntries, RunValues, SharedDllsValues };

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

// A 9x machine whose one growing part holds `items` entries, half of them
// matching a startup fragment (Startup entries, Run values) or, for
// SharedDLLs, unrelated values beside the rows' own.
std::unique_ptr<test::SweepMachine> MakeMachine(Growth growth, int items) {
    std::string reg;
    std::string manifest;
    const std::string startup = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp";
    reg += "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n";
    reg += "\"Startup\"=\"" + Escape(startup) + "\"\r\n\r\n";
    manifest += "folder - " + startup + "\n";
    switch (growth) {
        case Growth::StartupEntries:
            for (int i = 0; i < items; ++i) {
                manifest += "file - shut =x " + startup + "\\" + (i % 2 ? "RealTray" : "Notes") +
                            std::to_string(i) + ".lnk\n";
            }
            break;
        case Growth::RunValues:
            reg += "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";
            for (int i = 0; i < items; ++i) {
                reg.append("\"").append(i % 2 ? "RealTray" : "Keep").append(std::to_string(i));
                reg.append("\"=\"x.exe\"\r\n");
            }
            break;
        case Growth::SharedDllsValues:
            reg += "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs]\r\n";
            for (int i = 0; i < items; ++i) {
                reg += "\"C:\\\\Program Files\\\\App\\\\lib" + std::to_string(i) + ".dll\"=dword:00000001\r\n";
            }
            reg.append("\"").append(Escape(std::string(test::kWin9xSystemFolder) + "\\CDRAL.DLL"));
            reg.append("\"=dword:00000001\r\n");
            break;
    }
    return std::make_unique<test::SweepMachine>(platform::PLATFORM_9X, reg, manifest);
}

void ReportSweep(benchmark::State& state, Growth growth) {
    const auto machine = MakeMachine(growth, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(sweep::RunSweep(machine->context, sweep::SWEEP_REPORT));
    state.counters["per_item"] = benchmark::Counter(
        static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DisableThenRestore(benchmark::State& state, Growth growth) {
    const auto machine = MakeMachine(growth, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(sweep::RunSweep(machine->context, sweep::SWEEP_DISABLE));
        benchmark::DoNotOptimize(sweep::RunSweep(machine->context, sweep::SWEEP_RESTORE));
    }
    state.counters["per_item"] = benchmark::Counter(
        static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_CAPTURE(ReportSweep, startup_entries, Growth::StartupEntries)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportSweep, run_values, Growth::RunValues)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportSweep, shared_dlls_values, Growth::SharedDllsValues)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DisableThenRestore, startup_entries, Growth::StartupEntries)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DisableThenRestore, run_values, Growth::RunValues)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DisableThenRestore, shared_dlls_values, Growth::SharedDllsValues)->RangeMultiplier(10)->Range(100, 100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
