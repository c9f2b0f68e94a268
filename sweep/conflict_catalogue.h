// The built-in lists of conflicting software: foreign driver and library files
// with the label a report shows, name fragments of foreign startup programs,
// and the file names of our own recording engine's libraries. Each table ends
// with a null entry; readers walk it from the start and stop there.
#pragma once

#include <cstddef>

namespace platform {
class AnsiText;
}  // namespace platform

namespace sweep {

struct DriverEntry {
    const char* fileName;  // bare file name; its last four characters are ".ext"
    const char* label;     // vendor or product, shown as stored
};

inline constexpr std::size_t kDriverTableRows = 110;
inline constexpr std::size_t kStartupFragmentCount = 31;
inline constexpr std::size_t kEngineLibraryCount = 22;
// A row's stem, which names its service keys, is its file name less this many
// characters.
inline constexpr std::size_t kExtensionLength = 4;

extern const DriverEntry DriverTable[kDriverTableRows + 1];
extern const char* const StartupFragments[kStartupFragmentCount + 1];
extern const char* const EngineLibraries[kEngineLibraryCount + 1];

// The one matching rule of all three lists: `entry` occurs anywhere in
// `candidate`, by characters of the system's code page, letters compared
// without case as that code page pairs them, everything else exactly. An
// empty or null entry matches nothing.
bool MatchesEntry(const platform::AnsiText& text, const char* candidate, const char* entry);

}  // namespace sweep
