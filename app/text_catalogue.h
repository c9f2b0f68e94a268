// The text catalogue: every fixed text the dialog, the status box, the restart
// prompt and the report frame show, one per role and language. Texts are
// code page 1252 bytes and are shown exactly as stored.
#pragma once

namespace app {

enum LanguageIndex : int {
    LANGUAGE_GERMAN = 0,
    LANGUAGE_ENGLISH = 1,
    LANGUAGE_FRENCH = 2,
    LANGUAGE_ITALIAN = 3,
    LANGUAGE_DUTCH = 4,
    LANGUAGE_SPANISH = 5,
};
inline constexpr int kLanguageCount = 6;

enum TextRole : int {
    TEXT_WINDOW_TITLE,
    TEXT_FAQ_ADDRESS,
    TEXT_SUPPORT_LABEL,
    TEXT_TEST_LABEL,
    TEXT_OLD_DRIVER_LABEL,
    TEXT_ALREADY_OPEN,
    TEXT_CONFIRM_CAPTION,
    TEXT_CLOSE_LABEL,
    TEXT_NEW_DRIVER_LABEL,
    TEXT_OLD_DRIVER_OF,
    TEXT_PLEASE_WAIT,
    TEXT_REPORT_HEADER,
    TEXT_WELCOME,
    TEXT_NO_ADMIN_RIGHTS,
    TEXT_OS_UNSUPPORTED,
    TEXT_RESTART_REQUIRED,
    TEXT_NO_PROBLEMS,
    TEXT_ROLE_COUNT
};

// The text of `role` in `language` (0 to 5). Never null; lives for the whole run.
// An index outside 0 to 5 is taken as English rather than read past the table.
const char* CatalogueText(TextRole role, int language);

}  // namespace app
