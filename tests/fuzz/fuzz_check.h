// What every fuzz target uses: a property that must hold for every input
// stops the run, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                           \
    do {                                                                                \
        if (!(condition)) {                                                             \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                               \
        }                                                                               \
    } while (0)

namespace fuzz {

// Takes the text up to the next 0xFF byte (or the end) off the front of `input`,
// so that one input can carry several texts.
inline std::string_view NextPart(std::string_view& input) {
    const auto end = input.find('\xFF');
    const std::string_view part = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return part;
}

}  // namespace fuzz
