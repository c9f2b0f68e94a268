// The report of one sweep: 8-bit text lines ending in "\r\n", held in a fixed
// buffer of kReportCapacity bytes, terminator included. A line that would not
// fit is dropped together with every later line, so the report is cut at a
// line boundary and never runs past the buffer.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string_view>

namespace sweep {

inline constexpr std::size_t kReportCapacity = 32000;

class ReportBuffer {
public:
    // Returns null when the memory cannot be had; the caller then shows nothing.
    static std::unique_ptr<ReportBuffer> Allocate();

    ReportBuffer() = default;
    ReportBuffer(const ReportBuffer&) = delete;
    ReportBuffer& operator=(const ReportBuffer&) = delete;

    // Starts the report afresh with `text` (the header or the no-problems text).
    void Restart(std::string_view text);

    // Appends one line made of `parts`, which the caller ends with "\r\n".
    // Returns false, and appends nothing now or later, once a line did not fit.
    bool AppendLine(std::initializer_list<std::string_view> parts);

    const char* Text() const { return text_; }
    std::size_t Size() const { return size_; }
    bool WasCut() const { return cut_; }

private:
    char text_[kReportCapacity] = {};
    std::size_t size_ = 0;
    bool cut_ = false;
};

}  // namespace sweep
