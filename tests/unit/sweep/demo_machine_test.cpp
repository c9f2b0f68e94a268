// The shipped demo machine, the one the run command shows a newcomer: what a
// Test lists on it, and that New Driver then Old Driver gives it back.
#include <doctest/doctest.h>

#include <cstdio>
#include <string>

#include "sweep/run_sweep.h"
#include "tests/unit/sweep/sweep_machine.h"

namespace {

std::string ReadText(const char* path) {
    std::string text;
    if (std::FILE* f = std::fopen(path, "rb")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) text.append(chunk, n);
        std::fclose(f);
    }
    return text;
}

// The .reg file without its "REGEDIT4" line, which the machine adds itself.
std::string DemoRegistry() {
    std::string reg = ReadText(DRAVOLIN_DEMO_DIR "/demo.reg");
    REQUIRE(reg.rfind("REGEDIT4\r\n", 0) == 0);
    return reg.substr(10);
}

}  // namespace

// The report is the one the end-to-end matrix expects of the real program
// under Wine in every NT version (demo/report-nt.txt, lines ending in LF
// there): the emulated machine and Windows must agree on it.
TEST_CASE("the demo machine: a Test lists every kind of finding, in sweep order") {
    std::string expected;
    for (char c : ReadText(DRAVOLIN_DEMO_DIR "/report-nt.txt")) {
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    REQUIRE(!expected.empty());
    test::SweepMachine m(platform::PLATFORM_NT, DemoRegistry(), ReadText(DRAVOLIN_DEMO_DIR "/demo.files"));
    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_REPORT) == 20);
    CHECK(std::string(m.report->Text()) == expected);
}

TEST_CASE("the demo machine: New Driver clears it, Old Driver brings everything back") {
    test::SweepMachine m(platform::PLATFORM_NT, DemoRegistry(), ReadText(DRAVOLIN_DEMO_DIR "/demo.files"));
    const auto before = m.Snapshot();

    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_DISABLE) > 0);
    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_REPORT) == 0);
    CHECK(std::string(m.report->Text()) == test::kNoProblems);

    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_RESTORE) > 0);
    const auto after = m.Snapshot();
    for (const std::string& line : before) {
        // The ASPI warning entry is put aside by every sweep and never brought back.
        if (line.find("warnverdlls] \"winaspi.dll\"") != std::string::npos) {
            CHECK(after.count(line) == 0);
            continue;
        }
        CAPTURE(line);
        CHECK(after.count(line) == 1);
    }
    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_REPORT) == 20);
}
