// The shown form of a registry value's data in report lines.
#include "sweep/shown_data.h"

#include <algorithm>

namespace sweep {

namespace {

constexpr std::uint8_t kShownRaise = 48;
constexpr char kUnshowable = '?';

bool IsLetterOrDigit(std::uint8_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

}  // namespace

void FormatShownData(platform::ValueType type, const std::uint8_t* data, std::uint32_t size,
                     RegistryText& shown) {
    shown.Clear();
    const std::uint32_t n = std::min(size, kMaxShownDataLength);
    if (type == platform::kRegSz) {
        // The text up to its terminating zero, which the stored data may lack.
        std::uint32_t length = 0;
        while (length < n && data[length] != 0) ++length;
        shown.Append(std::string_view(reinterpret_cast<const char*>(data), length));
        return;
    }
    char bytes[kMaxShownDataLength];
    for (std::uint32_t i = 0; i < n; ++i) {
        std::uint8_t c = data[i];
        if (!IsLetterOrDigit(c)) c = static_cast<std::uint8_t>(c + kShownRaise);
        bytes[i] = IsLetterOrDigit(c) ? static_cast<char>(c) : kUnshowable;
    }
    shown.Append(std::string_view(bytes, n));
}

}  // namespace sweep
