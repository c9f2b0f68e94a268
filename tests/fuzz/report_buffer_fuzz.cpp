// Any sequence of lines appended to the report: it never runs past its
// buffer, always ends in its terminator, keeps every line that fit whole and
// in order, and takes nothing more once a line did not fit.
#include <cstdint>
#include <string>
#include <string_view>

#include "sweep/report_buffer.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    static const auto report = sweep::ReportBuffer::Allocate();
    FUZZ_CHECK(report != nullptr);

    const std::string_view header = fuzz::NextPart(input);
    report->Restart(header);
    // A header that does not fit leaves an empty report that takes nothing.
    bool cut = header.size() >= sweep::kReportCapacity;
    std::string expected(cut ? std::string_view() : header);
    FUZZ_CHECK(report->Size() == expected.size());
    FUZZ_CHECK(report->WasCut() == cut);
    // Each part is one line of up to three pieces; the first byte says how
    // many times to append it, so that lines can fill the buffer.
    while (!input.empty()) {
        std::string_view part = fuzz::NextPart(input);
        const unsigned repeats = part.empty() ? 1 : static_cast<unsigned char>(part.front()) + 1;
        if (!part.empty()) part.remove_prefix(1);
        const std::string_view first = part.substr(0, part.size() / 3);
        const std::string_view second = part.substr(first.size(), part.size() / 3);
        const std::string_view third = part.substr(first.size() + second.size());
        for (unsigned i = 0; i < repeats; ++i) {
            const bool appended = report->AppendLine({first, second, third, "\r\n"});
            const std::size_t length = part.size() + 2;
            if (!cut && expected.size() + length < sweep::kReportCapacity) {
                FUZZ_CHECK(appended);
                expected.append(part).append("\r\n");
            } else {
                FUZZ_CHECK(!appended);
                cut = true;
            }
            FUZZ_CHECK(report->WasCut() == cut);
        }
    }
    FUZZ_CHECK(report->Size() == expected.size());
    FUZZ_CHECK(report->Size() < sweep::kReportCapacity);
    FUZZ_CHECK(report->Text()[report->Size()] == '\0');
    FUZZ_CHECK(std::string_view(report->Text(), report->Size()) == expected);
    return 0;
}
