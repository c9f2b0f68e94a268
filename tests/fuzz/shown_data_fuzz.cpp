// The shown form of any value data: never longer than the report's data
// field, only letters, digits and "?" for data other than a string, and a
// string's text up to its zero, whether or not the data holds one.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <vector>

#include "sweep/shown_data.h"
#include "tests/fuzz/fuzz_check.h"

namespace {
constexpr std::size_t kTypeBytes = 4;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    if (size < kTypeBytes) return 0;
    platform::ValueType type;
    std::memcpy(&type, input, kTypeBytes);
    // The data in a buffer of its own size, so that a read past it is seen.
    const std::size_t dataSize = size - kTypeBytes;
    const std::vector<std::uint8_t> bytes(input + kTypeBytes, input + size);
    const std::uint8_t* data = bytes.data();

    sweep::RegistryText shown;
    sweep::FormatShownData(type, data, static_cast<std::uint32_t>(dataSize), shown);
    const std::string_view text = shown.View();
    FUZZ_CHECK(text.size() <= sweep::kMaxShownDataLength);
    FUZZ_CHECK(std::strlen(shown.Text()) <= text.size());
    if (type == platform::kRegSz) {
        FUZZ_CHECK(text.empty() || std::memcmp(text.data(), data, text.size()) == 0);
        FUZZ_CHECK(text.size() == dataSize || text.size() == sweep::kMaxShownDataLength ||
                   data[text.size()] == 0);
    } else {
        FUZZ_CHECK(text.size() == std::min<std::size_t>(dataSize, sweep::kMaxShownDataLength));
        for (char c : text) FUZZ_CHECK(std::isalnum(static_cast<unsigned char>(c)) || c == '?');
    }
    return 0;
}
