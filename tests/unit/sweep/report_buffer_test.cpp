// The report buffer: whole lines only, never past its 32000 bytes, and once a
// line does not fit nothing after it either, so a long report is cut at a
// line boundary instead of skipping lines in the middle.
#include "sweep/report_buffer.h"

#include <doctest/doctest.h>

#include <string>

#include "sweep/run_sweep.h"
#include "tests/unit/sweep/sweep_machine.h"

using sweep::kReportCapacity;
using sweep::ReportBuffer;

TEST_CASE("lines fill the buffer up to its last byte, which holds the terminator") {
    auto report = ReportBuffer::Allocate();
    REQUIRE(report);
    report->Restart("H\r\n");
    const std::string filler(kReportCapacity - 1 - 3 - 2, 'x');
    CHECK(report->AppendLine({filler, "\r\n"}));
    CHECK(report->Size() == kReportCapacity - 1);
    CHECK(report->Text()[kReportCapacity - 1] == '\0');

    CHECK_FALSE(report->AppendLine({"\r\n"}));  // one byte too many
    CHECK(report->WasCut());
    CHECK(report->Size() == kReportCapacity - 1);

    report->Restart("again\r\n");
    CHECK_FALSE(report->WasCut());
    CHECK(std::string(report->Text()) == "again\r\n");
}

TEST_CASE("after a line that does not fit, shorter lines are refused too") {
    auto report = ReportBuffer::Allocate();
    report->Restart("");
    CHECK(report->AppendLine({std::string(kReportCapacity - 10, 'a'), "\r\n"}));
    CHECK_FALSE(report->AppendLine({std::string(20, 'b'), "\r\n"}));
    CHECK_FALSE(report->AppendLine({"c\r\n"}));
    const std::string text = report->Text();
    CHECK(text.find('c') == std::string::npos);
    CHECK(text.ends_with("\r\n"));
}

TEST_CASE("a sweep whose report would overflow keeps every finding counted and the report whole-lined") {
    // 2000 Run values, each listed with data of 200 bytes: far beyond 32000.
    std::string reg = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";
    for (int i = 0; i < 2000; ++i) {
        reg += "\"RealTray" + std::to_string(i) + "\"=\"" + std::string(200, 'd') + "\"\r\n";
    }
    test::SweepMachine m(platform::PLATFORM_9X, reg);
    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_REPORT) == 2000);
    const std::string text = m.report->Text();
    CHECK(text.size() < kReportCapacity);
    CHECK(text.size() > kReportCapacity - 300);
    CHECK(text.rfind(test::kEnglishHeader, 0) == 0);
    CHECK(text.ends_with("\r\n"));
    CHECK(m.report->WasCut());
}
