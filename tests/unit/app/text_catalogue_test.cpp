// The text catalogue: complete in every language, exact where the texts are
// fixed, and following the line-break and layout rules of each role.
// Expected bytes are written as code page 1252 escapes, independent of the
// source encoding.
#include "app/text_catalogue.h"

#include <doctest/doctest.h>

#include <string>
#include <string_view>

#include "app/texts/language_texts.h"

using namespace app;

namespace {

std::string T(TextRole role, int language) { return CatalogueText(role, language); }

std::size_t Count(std::string_view text, std::string_view part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Every "\n" of a status-box text belongs to a "\r\n".
bool OnlyCrLfBreaks(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    }
    return true;
}

constexpr TextRole kStatusBoxRoles[] = {TEXT_ALREADY_OPEN, TEXT_PLEASE_WAIT, TEXT_REPORT_HEADER,
                                       TEXT_WELCOME,      TEXT_NO_ADMIN_RIGHTS, TEXT_OS_UNSUPPORTED,
                                       TEXT_NO_PROBLEMS};

}  // namespace

TEST_CASE("every role has a non-empty text in every language") {
    for (int language = 0; language < kLanguageCount; ++language) {
        for (int role = 0; role < TEXT_ROLE_COUNT; ++role) {
            CAPTURE(language);
            CAPTURE(role);
            const char* text = CatalogueText(static_cast<TextRole>(role), language);
            REQUIRE(text != nullptr);
            CHECK(text[0] != '\0');
        }
    }
}

TEST_CASE("an index outside the six languages reads English, never past the table") {
    CHECK(T(TEXT_CLOSE_LABEL, -1) == "Close");
    CHECK(T(TEXT_CLOSE_LABEL, kLanguageCount) == "Close");
}

TEST_CASE("short texts are exact in every language") {
    struct Row {
        TextRole role;
        const char* texts[kLanguageCount];
    };
    const Row rows[] = {
        {TEXT_WINDOW_TITLE,
         {"VELMO Dravolin 3.0 DE", "VELMO Dravolin 3.0 EN", "VELMO Dravolin 3.0 FR",
          "VELMO Dravolin 3.0 IT", "VELMO Dravolin 3.0 NL", "VELMO Dravolin 3.0 ES"}},
        {TEXT_NEW_DRIVER_LABEL,
         {"Neue Treiber", "New Driver", "Nouveaux pilotes", "Nuovi driver", "Nieuw Stuurprog.",
          "Nuevo controlador"}},
        {TEXT_OLD_DRIVER_LABEL,
         {"Alte Treiber", "Old Driver", "Anciens pilotes", "Vecchi driver", "Oud Stuurprog.",
          "Antiguo controlador"}},
        {TEXT_TEST_LABEL, {"Test", "Test", "Test", "Test", "Test", "Testo"}},
        {TEXT_CLOSE_LABEL, {"Schliessen", "Close", "Fermer", "Chiudi", "Sluiten", "Cerrar"}},
        {TEXT_SUPPORT_LABEL, {"Hilfe", "Support", "Support", "Help", "Support", "Support"}},
        {TEXT_CONFIRM_CAPTION,
         {"Best\xE4tigung", "Confirmation", "Confirmation", "Conferma", "Bevestiging",
          "Confirmaci\xF3n"}},
        {TEXT_PLEASE_WAIT,
         {"Bitte warten  Sie einen Moment...", "Please wait a moment...", "Patientez s.v.p...",
          "Attendere prego...", "Een ogenblik a.u.b...", "Espera un momento..."}},
        {TEXT_OLD_DRIVER_OF,
         {"Alter Ger\xE4tetreiber ", "Old driver of ", "Ancien pilote de ", "Vecchio driver per ",
          "Oud stuurprogramma van ", "Antiguo controlador de "}},
        {TEXT_REPORT_HEADER,
         {"Diese alten Treiber wurden gefunden:\r\n\r\n",
          "These old drivers or programs are found:\r\n\r\n",
          "Ces anciens pilotes ou programmes ont \xE9t\xE9 retrouv\xE9s:\r\n\r\n",
          "Sono stati trovati i seguenti driver:\r\n\r\n",
          "De volgende oude stuurprogramma's zijn gevonden:\r\n\r\n",
          "Estos controladores o programas antiguos est\xE1n encontrados:\r\n\r\n"}},
        {TEXT_FAQ_ADDRESS,
         {DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=Brennen&lang=de",
          DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=burning&lang=us",
          DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=graver&lang=fr",
          DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=masterizza&lang=it",
          DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=burn&lang=nl",
          DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=burning&lang=us"}},
    };
    for (const Row& row : rows) {
        for (int language = 0; language < kLanguageCount; ++language) {
            CAPTURE(row.role);
            CAPTURE(language);
            CHECK(T(row.role, language) == row.texts[language]);
        }
    }
}

TEST_CASE("long texts given word for word are exact") {
    const char* alreadyOpen[kLanguageCount] = {
        "ist noch ge\xF6" "ffnet.\r\n\r\nBitte schliessen Sie zun\xE4" "chst ALLE Programme im Ordner "
        "bevor Sie den Dravolin benutzen.",
        "is already open.\r\n\r\nPlease close ALL programs in this folder before use the Dravolin.",
        "est d\xE9j\xE0 ouvert.\r\n\r\nS.v.p. fermez d'abord tous les programmes dans ce dossier "
        "avant d'utiliser le Dravolin.",
        "\xE8 gi\xE0 aperto.\r\n\r\nChiuda prego TUTTI I programmi in questo dispositivo prima "
        "dell'uso il Dravolin.",
        "is reeds geopend!\r\n\r\nSluit s.v.p. ALLE programma's in deze folder voordat de Dravolin "
        "gebruikt wordt.",
        "ya est\xE1 abierto.\r\n\r\nPor favor cierre todos los programas antes de utilizar el Dravolin.",
    };
    const char* unsupported[kLanguageCount] = {
        "Ihr derzeitiges Betriebssystem wird leider nicht l\xE4nger unterst\xFCtzt.\r\nWeitere "
        "Hinweise erhalten Sie von Ihrem System-Administrator.\r\n",
        "Your current Operating system is no longer supported.\r\nPlease contact your system "
        "administrator for further details.\r\n",
        "Votre syst\xE8me d'exploitation n'est malheureusement pas soutenu.\r\nS.v.p. contactez "
        "votre administrateur pour plus d'information.\r\n",
        "In futuro il suo attuale sistema operativo non verr\xE1 pi\xFA supportato.\r\nPotrete "
        "ottenere maggiori informazioni dall\xB4" "amministratore della vostra rete.\r\n",
        "Het huidige besturingssysteem is niet ondersteund.\r\nRaadpleeg s.v.p. uw systeembeheerder "
        "voor meer informatie.\r\n",
        "Su sistema operativo no continua a estar soportado\r\nPor favor, contacte con el "
        "administrador del sistema para mas informaci\xF3n\r\n",
    };
    const char* restart[kLanguageCount] = {
        "Um die \xC4nderungen wirksam werden zu lassen\nm\xFCssen Sie den Rechner neu starten. Um "
        "den\nNeustart jetzt auszuf\xFChren w\xE4hlen Sie bitte OK\n",
        "You must restart the computer to apply the changes.\n          Please press OK to do "
        "this now.",
        "Vous devez red\xE9marrer l'ordinateur pour appliquer les modifications.\n          Pour "
        "cela, appuyez d\xE8s \xE0 pr\xE9sent sur OK.",
        "Per applicare i cambiamenti apportati dovrete\nriavviare il computer. Per "
        "riavviarlo\nimmediatamente selezionate OK\n",
        "De computer moet opnieuw opgestart worden.\n          Druk s.v.p. op OK om dit nu te doen.",
        "Tiene que reiniciar el ordenador para aplicar los cambios.\n          Pulse OK para "
        "hacerlo ahora.",
    };
    for (int language = 0; language < kLanguageCount; ++language) {
        CAPTURE(language);
        CHECK(T(TEXT_ALREADY_OPEN, language) == alreadyOpen[language]);
        CHECK(T(TEXT_OS_UNSUPPORTED, language) == unsupported[language]);
        CHECK(T(TEXT_RESTART_REQUIRED, language) == restart[language]);
    }
    // The German prompt shows three lines and ends with a line break.
    CHECK(Count(T(TEXT_RESTART_REQUIRED, LANGUAGE_GERMAN), "\n") == 3);
}

TEST_CASE("the English welcome, no-rights and no-problems texts keep their layout") {
    const std::string welcome = T(TEXT_WELCOME, LANGUAGE_ENGLISH);
    CHECK(welcome.rfind("       Welcome to VELMO Dravolin V3.0\r\n\r\nHe is helping you", 0) == 0);
    CHECK(welcome.size() == 795);
    CHECK(welcome.ends_with("Please press   >> New Driver <<   for solve \"CD-burn\" problems."));

    const std::string noRights = T(TEXT_NO_ADMIN_RIGHTS, LANGUAGE_ENGLISH);
    CHECK(noRights.find("\r\n\r\n\t\t     We may be unable") != std::string::npos);
    CHECK(noRights.ends_with("\t\tPlease contact your system administrator for further details."));

    const std::string noProblems = T(TEXT_NO_PROBLEMS, LANGUAGE_ENGLISH);
    CHECK(noProblems.rfind("Good news, we have no driver problems found at this moment.\r\n", 0) == 0);
    CHECK(noProblems.find("Please press  >> Support << to open the support page") != std::string::npos);
    CHECK(noProblems.ends_with("the VELMO homepage by click on FAQ...\r\n"));
    CHECK(Count(noProblems, "\r\n") == 20);
}

TEST_CASE("the translated welcome, no-rights and no-problems texts begin as fixed") {
    struct Row {
        int language;
        const char* welcome;
        const char* noRights;
        const char* noProblems;
    };
    const Row rows[] = {
        {LANGUAGE_GERMAN, "Willkommen beim VELMO Dravolin V3.0\r\n\r\n",
         "Sie haben leider keine oder nicht alle Befugnisse diesen Computer",
         "Es wurden im Moment keine Treiber-Probleme gefunden."},
        {LANGUAGE_FRENCH, "       Bienvenue dans VELMO Dravolin V3.0\r\n\r\n",
         "Vous n'avez malheureusement pas de droits (ou pas tous les droits)",
         "Bonne nouvelle ! Nous n'avons not\xE9 aucun probl\xE8me de pilote pour le moment."},
        {LANGUAGE_ITALIAN, "Benvenuti da VELMO Dravolin V3.0\r\n\r\n",
         "Purtroppo non disponete,in parte o del tutto, dei diritti per l\xB4uso illimitato",
         "Non sono stati trovati problemi con i driver."},
        {LANGUAGE_DUTCH, "       Welkom bij VELMO Dravolin V3.0\r\n\r\n",
         "Sorry, maar u heeft geen administrator rechten op deze computer!",
         "Goed nieuws, er zijn op dit moment geen problemen gevonden"},
        {LANGUAGE_SPANISH, "       Bienvenido a VELMO Dravolin.\r\n\r\n",
         "Lo siento, es necesario tener derechos de administrador para utilizar esta funci\xF3n en "
         "este ordenador!",
         "Buenas noticias, no hemos encontrado ning\xFAn problema de controlador por el momento."},
    };
    for (const Row& row : rows) {
        CAPTURE(row.language);
        CHECK(T(TEXT_WELCOME, row.language).rfind(row.welcome, 0) == 0);
        CHECK(T(TEXT_NO_ADMIN_RIGHTS, row.language).rfind(row.noRights, 0) == 0);
        CHECK(T(TEXT_NO_PROBLEMS, row.language).rfind(row.noProblems, 0) == 0);
    }
}

TEST_CASE("welcome texts end asking for the New Driver button by its own label") {
    for (int language = 0; language < kLanguageCount; ++language) {
        CAPTURE(language);
        const std::string welcome = T(TEXT_WELCOME, language);
        const std::string label = T(TEXT_NEW_DRIVER_LABEL, language);
        const auto open = welcome.rfind(">>");
        const auto close = welcome.rfind("<<");
        REQUIRE(open != std::string::npos);
        REQUIRE(close != std::string::npos);
        REQUIRE(open < close);
        CHECK(welcome.substr(open + 2, close - open - 2).find(label) != std::string::npos);
        CHECK(welcome.find("\r\n", close) == std::string::npos);  // on the last line
    }
}

TEST_CASE("status-box texts break lines with CR LF; message-box texts with LF alone") {
    for (int language = 0; language < kLanguageCount; ++language) {
        CAPTURE(language);
        for (TextRole role : kStatusBoxRoles) {
            CAPTURE(role);
            std::string text = T(role, language);
            if (role == TEXT_WELCOME && language == LANGUAGE_ITALIAN) {
                // The one line that ends in CR CR LF.
                const std::string third =
                    "Con questo programma potrete disattivare i driver di masterizzazione dei "
                    "programmi di\r\r\n";
                const auto at = text.find(third);
                REQUIRE(at != std::string::npos);
                CHECK(Count(text.substr(0, at), "\r\n") == 2);  // it is the third line
                CHECK(Count(text, "\r\r\n") == 1);
                text.erase(at + third.size() - 3, 1);
            }
            CHECK(OnlyCrLfBreaks(text));
        }
        CHECK(T(TEXT_RESTART_REQUIRED, language).find('\r') == std::string::npos);
    }
}

TEST_CASE("no-problems texts name the support site where they do not point to the button") {
    const std::string site = DRAVOLIN_SUPPORT_SITE;
    CHECK(Count(T(TEXT_NO_PROBLEMS, LANGUAGE_GERMAN), site) >= 1);
    CHECK(Count(T(TEXT_NO_PROBLEMS, LANGUAGE_FRENCH), site) >= 1);
    CHECK(Count(T(TEXT_NO_PROBLEMS, LANGUAGE_ITALIAN), site) >= 1);
    CHECK(Count(T(TEXT_NO_PROBLEMS, LANGUAGE_SPANISH), site) == 2);
    CHECK(T(TEXT_NO_PROBLEMS, LANGUAGE_DUTCH).find(">> Support <<") != std::string::npos);
    // The site is a reserved example domain, never somebody's real host.
    CHECK(site.ends_with(".example"));
}
