// The texts of one language, one member per role of the catalogue, in the
// order of TextRole. Each language lives in a file of its own.
#pragma once

// The support site that the FAQ addresses and some no-problems texts name.
#define DRAVOLIN_SUPPORT_SITE "http://www.velmo.example"

namespace app {

struct LanguageTexts {
    const char* windowTitle;
    const char* faqAddress;
    const char* supportLabel;
    const char* testLabel;
    const char* oldDriverLabel;
    const char* alreadyOpen;
    const char* confirmCaption;
    const char* closeLabel;
    const char* newDriverLabel;
    const char* oldDriverOf;
    const char* pleaseWait;
    const char* reportHeader;
    const char* welcome;
    const char* noAdminRights;
    const char* osUnsupported;
    const char* restartRequired;
    const char* noProblems;
};

extern const LanguageTexts kGermanTexts;
extern const LanguageTexts kEnglishTexts;
extern const LanguageTexts kFrenchTexts;
extern const LanguageTexts kItalianTexts;
extern const LanguageTexts kDutchTexts;
extern const LanguageTexts kSpanishTexts;

}  // namespace app
