// Chooses the interface language from the user's locale and the words of the
// command line. Pure: no platform calls, so the host tests can run it.
#pragma once

namespace app {

// The language of a locale number: its low eight bits are the primary
// language; anything not translated is English.
int LanguageFromLocale(unsigned long localeId);

// The language after the command line's language words: each of "GERMAN",
// "ENGLISH", "FRENCH", "ITALIAN", "DUTCH", "SPANISH" found anywhere in the line
// (case-sensitive, also inside a longer word) sets it, in that order, so the
// later word of the list wins. A null or empty line changes nothing.
int LanguageFromCommandLine(int language, const char* commandLine);

}  // namespace app
