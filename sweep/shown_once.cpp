// The fingerprint of a finding: 64-bit FNV-1a, its start set by the type,
// over the name, its end and the data.
#include "sweep/shown_once.h"

namespace sweep {
namespace {

constexpr std::uint64_t kFnvOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr unsigned char kFirstBeyondAscii = 0x80;

void Mix(std::uint64_t& print, unsigned char byte) {
    print = (print ^ byte) * kFnvPrime;
}

// In a name of ASCII only no letter is the second byte of a double-byte
// character, so letter case can be ignored there as the registry ignores it.
bool AsciiOnly(const char* name) {
    for (; *name != '\0'; ++name) {
        if (static_cast<unsigned char>(*name) >= kFirstBeyondAscii) return false;
    }
    return true;
}

}  // namespace

std::uint64_t FingerprintOf(const Finding& finding) {
    std::uint64_t print = kFnvOffsetBasis ^ finding.type;
    const bool ignoreCase = AsciiOnly(finding.name);
    for (const char* c = finding.name; *c != '\0'; ++c) {
        const bool small = ignoreCase && *c >= 'a' && *c <= 'z';
        Mix(print, static_cast<unsigned char>(small ? *c - 'a' + 'A' : *c));
    }
    Mix(print, '\0');
    for (std::uint32_t i = 0; i < finding.size; ++i) Mix(print, finding.data[i]);
    return print;
}

}  // namespace sweep
