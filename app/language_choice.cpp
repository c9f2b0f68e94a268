// Language from locale and command line.
#include "app/language_choice.h"

#include <cstring>

#include "app/text_catalogue.h"

namespace app {
namespace {

struct LocaleLanguage {
    unsigned primaryLanguage;
    int language;
};

constexpr LocaleLanguage kLocaleLanguages[] = {
    {0x07, LANGUAGE_GERMAN}, {0x09, LANGUAGE_ENGLISH}, {0x0A, LANGUAGE_SPANISH},
    {0x0C, LANGUAGE_FRENCH}, {0x10, LANGUAGE_ITALIAN}, {0x13, LANGUAGE_DUTCH},
};

struct LanguageWord {
    const char* word;
    int language;
};

// Searched in this order; a later hit overrides an earlier one.
constexpr LanguageWord kLanguageWords[] = {
    {"GERMAN", LANGUAGE_GERMAN}, {"ENGLISH", LANGUAGE_ENGLISH}, {"FRENCH", LANGUAGE_FRENCH},
    {"ITALIAN", LANGUAGE_ITALIAN}, {"DUTCH", LANGUAGE_DUTCH}, {"SPANISH", LANGUAGE_SPANISH},
};

}  // namespace

int LanguageFromLocale(unsigned long localeId) {
    const unsigned primary = localeId & 0xFF;
    for (const LocaleLanguage& entry : kLocaleLanguages) {
        if (entry.primaryLanguage == primary) return entry.language;
    }
    return LANGUAGE_ENGLISH;
}

int LanguageFromCommandLine(int language, const char* commandLine) {
    if (commandLine == nullptr || commandLine[0] == '\0') return language;
    for (const LanguageWord& entry : kLanguageWords) {
        if (std::strstr(commandLine, entry.word) != nullptr) language = entry.language;
    }
    return language;
}

}  // namespace app
