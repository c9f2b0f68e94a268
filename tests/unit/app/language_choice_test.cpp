// Language from the locale and from the command-line words, and the part of
// the command line those words are read from.
#include "app/language_choice.h"

#include <doctest/doctest.h>

#include <string>

#include "app/command_line.h"

#include "app/text_catalogue.h"

using namespace app;

TEST_CASE("the primary language of the locale chooses the language, any country variant") {
    struct Case {
        unsigned long locale;
        int language;
    };
    const Case cases[] = {
        {0x0407, LANGUAGE_GERMAN},  {0x0807, LANGUAGE_GERMAN},  {0x0C07, LANGUAGE_GERMAN},
        {0x0409, LANGUAGE_ENGLISH}, {0x0809, LANGUAGE_ENGLISH}, {0x040C, LANGUAGE_FRENCH},
        {0x080C, LANGUAGE_FRENCH},  {0x0410, LANGUAGE_ITALIAN}, {0x0810, LANGUAGE_ITALIAN},
        {0x0413, LANGUAGE_DUTCH},   {0x0813, LANGUAGE_DUTCH},   {0x040A, LANGUAGE_SPANISH},
        {0x0C0A, LANGUAGE_SPANISH},
        // Not translated: Portuguese (0x16, which would be 16 decimal read as hex),
        // Japanese, the neutral locale and a number whose bit 8 is set.
        {0x0416, LANGUAGE_ENGLISH}, {0x0411, LANGUAGE_ENGLISH}, {0x0000, LANGUAGE_ENGLISH},
        {0x0116, LANGUAGE_ENGLISH}, {0xFFFF0007, LANGUAGE_GERMAN},
    };
    for (const Case& c : cases) {
        CAPTURE(c.locale);
        CHECK(LanguageFromLocale(c.locale) == c.language);
    }
}

TEST_CASE("command-line words override the locale; the later word of the list wins") {
    struct Case {
        const char* line;
        int language;
    };
    const Case cases[] = {
        {nullptr, LANGUAGE_FRENCH},
        {"", LANGUAGE_FRENCH},
        {"GERMAN", LANGUAGE_GERMAN},
        {"/xGERMAN", LANGUAGE_GERMAN},          // after a switch, inside a longer word
        {"german", LANGUAGE_FRENCH},            // case-sensitive: lower case changes nothing
        {"German", LANGUAGE_FRENCH},
        {"ENGLISH SPANISH", LANGUAGE_SPANISH},
        {"SPANISH ENGLISH", LANGUAGE_SPANISH},  // list order, not line order
        {"DUTCH GERMAN", LANGUAGE_DUTCH},
        {"GERMANENGLISH", LANGUAGE_ENGLISH},
        {"ITALIANFRENCH", LANGUAGE_ITALIAN},
        {"-lang ENGLIS", LANGUAGE_FRENCH},      // a cut word is no word
        {"C:\\SPANISH\\x", LANGUAGE_SPANISH},   // anywhere in the line
    };
    for (const Case& c : cases) {
        CAPTURE(c.line ? c.line : "(null)");
        CHECK(LanguageFromCommandLine(LANGUAGE_FRENCH, c.line) == c.language);
    }
}

// The program's own name never counts: "C:\Program Files\GERMAN\Dravolin.exe"
// started without words stays in the locale's language.
TEST_CASE("the command line after the program's name, as WinMain receives it") {
    struct Case {
        const char* line;
        const char* tail;
    };
    const Case cases[] = {
        {"", ""},
        {"Dravolin.exe", ""},
        {"Dravolin.exe FRENCH", "FRENCH"},
        {"\"C:\\Program Files\\GERMAN\\Dravolin.exe\"", ""},
        {"\"C:\\Program Files\\GERMAN\\Dravolin.exe\" \t ITALIAN x", "ITALIAN x"},
        {"\"C:\\Programme\\Dravolin.exe\"DUTCH", "DUTCH"},
        {"\"C:\\unclosed quote SPANISH", ""},
        {"C:\\Programme\\Kopie\xE4\xF6.exe GERMAN", "GERMAN"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.line);
        CHECK(std::string(CommandLineTail(c.line)) == c.tail);
    }
}
