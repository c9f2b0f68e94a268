// The fixed-size report buffer that every sweep fills.
#include "sweep/report_buffer.h"

#include <cstring>
#include <new>

namespace sweep {

std::unique_ptr<ReportBuffer> ReportBuffer::Allocate() {
    // Without exceptions: the Windows build has none, and the shortage is
    // answered with null as documented. Owned from the moment it exists.
    return std::unique_ptr<ReportBuffer>(new (std::nothrow) ReportBuffer());
}

void ReportBuffer::Restart(std::string_view text) {
    size_ = 0;
    cut_ = false;
    text_[0] = '\0';
    AppendLine({text});
}

bool ReportBuffer::AppendLine(std::initializer_list<std::string_view> parts) {
    if (cut_) return false;
    std::size_t length = 0;
    for (std::string_view part : parts) length += part.size();
    if (length >= kReportCapacity - size_) {  // one byte stays for the terminator
        cut_ = true;
        return false;
    }
    for (std::string_view part : parts) {
        if (part.empty()) continue;  // an empty view may hold a null pointer
        std::memcpy(text_ + size_, part.data(), part.size());
        size_ += part.size();
    }
    text_[size_] = '\0';
    return true;
}

}  // namespace sweep
