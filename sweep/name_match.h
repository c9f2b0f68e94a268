// The catalogue's matching rule as the file stage applies it to file names,
// and the walk over a catalogue table that acts once per entry a name holds.
#pragma once

#include "sweep/conflict_catalogue.h"

namespace sweep {

// Whether `entry` occurs in `candidate`, letter case ignored.
inline bool NameContains(const platform::AnsiText& text, const char* candidate,
                         const char* entry) {
    return MatchesEntry(text, candidate, entry);
}

// Calls `act` for every entry of a null-ended catalogue table, in table order,
// that `name` contains, and adds up what it answers.
template <typename Act>
int ForEachEntryIn(const platform::AnsiText& text, const char* const* table, const char* name,
                   Act act) {
    int count = 0;
    for (; *table != nullptr; ++table)
        if (NameContains(text, name, *table)) count += act();
    return count;
}

}  // namespace sweep
