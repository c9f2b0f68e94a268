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

TEST_CASE("the demo machine: a Test lists every kind of finding, in sweep order") {
    test::SweepMachine m(platform::PLATFORM_NT, DemoRegistry(), ReadText(DRAVOLIN_DEMO_DIR "/demo.files"));

    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_REPORT) == 20);
    CHECK(std::string(m.report->Text()) ==
          "These old drivers or programs are found:\r\n\r\n"
          "Start: Disk Detector.lnk\r\n"
          "Start: InCD Helper.lnk\r\n"
          "Start: Roxio Drag-to-Disc.lnk\r\n"
          "RealTray   \tType Registry: C:\\Program Files\\Real\\RealTray.exe -autostart\r\n"
          "NeroCheck   \tType Registry: C:\\Program Files\\Burner\\NeroCheck.exe\r\n"
          "CloneCDTray   \tType Registry: C:\\Program Files\\CloneCD\\CloneCDTray.exe\r\n"
          "FastIndexer   \tType Registry: C:\\Program Files\\Office\\FindFast.exe\r\n"
          "LowerFilters   \tType Registry: PxHelp2000\r\n"
          "UpperFilters   \tType Registry: GEARAspiWDM00\r\n"
          "\r\n"
          "GEARAspiWDM.sys   \tType: Old driver of Gear\r\n"
          "ElbyCDIO.sys   \tType Registry: CloneCD\r\n"
          "ElbyCDIO.sys   \tType: Old driver of CloneCD\r\n"
          "PxHelp20.sys   \tType Registry: MyCD\r\n"
          "PxHelp20.sys   \tType: Old driver of MyCD\r\n"
          "HKLM\\System\\CurrentControlSet\\Services\\GEARAspiWDM\r\n"
          "HKLM\\System\\CurrentControlSet\\Services\\ElbyCDIO\r\n"
          "HKLM\\System\\CurrentControlSet\\Services\\PxHelp20\r\n"
          "CDRAL.DLL   \tType Registry: DirectCD\r\n"
          "CDRAL.DLL   \tType: Old driver of DirectCD\r\n"
          "HKLM\\System\\CurrentControlSet\\Services\\ELBYCDIO\r\n");
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
