// Looks a role up in the language tables.
#include "app/text_catalogue.h"

#include "app/texts/language_texts.h"

namespace app {
namespace {

// Role to member, in TextRole order.
constexpr const char* LanguageTexts::*kRoleMembers[] = {
    &LanguageTexts::windowTitle,    &LanguageTexts::faqAddress,
    &LanguageTexts::supportLabel,   &LanguageTexts::testLabel,
    &LanguageTexts::oldDriverLabel, &LanguageTexts::alreadyOpen,
    &LanguageTexts::confirmCaption, &LanguageTexts::closeLabel,
    &LanguageTexts::newDriverLabel, &LanguageTexts::oldDriverOf,
    &LanguageTexts::pleaseWait,     &LanguageTexts::reportHeader,
    &LanguageTexts::welcome,        &LanguageTexts::noAdminRights,
    &LanguageTexts::osUnsupported,  &LanguageTexts::restartRequired,
    &LanguageTexts::noProblems,
};
static_assert(sizeof(kRoleMembers) / sizeof(kRoleMembers[0]) == TEXT_ROLE_COUNT);
static_assert(sizeof(LanguageTexts) == TEXT_ROLE_COUNT * sizeof(const char*),
              "every member of LanguageTexts is a role");

const LanguageTexts* const kLanguages[kLanguageCount] = {
    &kGermanTexts, &kEnglishTexts, &kFrenchTexts, &kItalianTexts, &kDutchTexts, &kSpanishTexts,
};

}  // namespace

const char* CatalogueText(TextRole role, int language) {
    if (language < 0 || language >= kLanguageCount) language = LANGUAGE_ENGLISH;
    if (role < 0 || role >= TEXT_ROLE_COUNT) return "";
    const char* text = kLanguages[language]->*kRoleMembers[role];
    return text ? text : "";
}

}  // namespace app
