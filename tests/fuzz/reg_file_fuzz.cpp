// Any REGEDIT4 text: the loader takes it or stops at a line it cannot read,
// and what it loaded saves to a text that loads into the same machine. A
// Test sweep then runs over that registry.
#include <cstdint>
#include <string>
#include <string_view>

#include "sweep/run_sweep.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/sweep/sweep_machine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const platform::PlatformKind kind = size % 2 ? platform::PLATFORM_NT : platform::PLATFORM_9X;
    test::SweepMachine m(kind);
    m.registry.LoadRegFile(text);
    const std::string saved = m.registry.SaveRegFile();

    // A fresh machine comes with its System and Software keys, and a REG file
    // can add keys but never say that one is absent: the copy starts without
    // them, or a text that removed one would come back with it.
    platform::emulated::EmulatedRegistry again(kind);
    FUZZ_CHECK(again.LoadRegFile("REGEDIT4\r\n"
                                 "[-HKEY_LOCAL_MACHINE\\System]\r\n"
                                 "[-HKEY_CURRENT_USER\\Software]\r\n"));
    FUZZ_CHECK(again.LoadRegFile(saved));
    FUZZ_CHECK(again.SaveRegFile() == saved);

    sweep::RunSweep(m.context, sweep::SWEEP_REPORT);
    FUZZ_CHECK(m.report->Size() < sweep::kReportCapacity);
    FUZZ_CHECK(m.registry.OpenHandleCount() == 0);
    return 0;
}
