// German texts.
#include "app/texts/language_texts.h"

namespace app {

const LanguageTexts kGermanTexts = {
    .windowTitle = "VELMO Dravolin 3.0 DE",
    .faqAddress = DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=Brennen&lang=de",
    .supportLabel = "Hilfe",
    .testLabel = "Test",
    .oldDriverLabel = "Alte Treiber",
    .alreadyOpen = "ist noch geöffnet.\r\n\r\nBitte schliessen Sie zunächst ALLE Programme im Ordner "
                   "bevor Sie den Dravolin benutzen.",
    .confirmCaption = "Bestätigung",
    .closeLabel = "Schliessen",
    .newDriverLabel = "Neue Treiber",
    .oldDriverOf = "Alter Gerätetreiber ",
    .pleaseWait = "Bitte warten  Sie einen Moment...",
    .reportHeader = "Diese alten Treiber wurden gefunden:\r\n\r\n",
    .welcome = "Willkommen beim VELMO Dravolin V3.0\r\n"
               "\r\n"
               "Er hilft Ihnen, Probleme mit Ihrem CD-Brenner zu lösen.\r\n"
               "Mit diesem Programm können Sie zwischen den Velmo-Brennertreibern\r\n"
               "und allen fremden Brennertreibern anderer Software umschalten.\r\n"
               "Es wird NICHTS gelöscht, und Sie können die Umschaltung\r\n"
               "jederzeit mit \"Alte Treiber\" wieder rückgängig machen.\r\n"
               "Dieses Programm wird in der Hoffnung verbreitet, dass es nützlich\r\n"
               "ist, aber ohne jede Gewährleistung - sogar ohne die implizite\r\n"
               "Gewährleistung der Marktreife oder der Eignung für einen\r\n"
               "bestimmten Zweck.\r\n"
               "Sollte das Problem nach dem Dravolin weiterhin auftreten,\r\n"
               "sehen Sie bitte auf der VELMO-Homepage nach neuen Brennertreibern.\r\n"
               "Wir aktualisieren die Brennertreiber in kurzen Abständen, um\r\n"
               "möglichst viele neue CD-Brenner auf dem Markt zu unterstützen.\r\n"
               "\r\n"
               "Bitte drücken Sie   >> Neue Treiber <<   bei Brennproblemen.",
    .noAdminRights = "Sie haben leider keine oder nicht alle Befugnisse diesen Computer\r\n"
                     "uneingeschränkt zu benutzen! Ohne die nötigen  'Administratorrechte'\r\n"
                     "funktioniert dieses Programm nicht.\r\n"
                     "\r\n"
                     "\t\tWeitere Hinweise gibt Ihnen Ihr System-Administrator.",
    .osUnsupported = "Ihr derzeitiges Betriebssystem wird leider nicht länger unterstützt.\r\n"
                     "Weitere Hinweise erhalten Sie von Ihrem System-Administrator.\r\n",
    .restartRequired = "Um die Änderungen wirksam werden zu lassen\n"
                       "müssen Sie den Rechner neu starten. Um den\n"
                       "Neustart jetzt auszuführen wählen Sie bitte OK\n",
    .noProblems = "Es wurden im Moment keine Treiber-Probleme gefunden.\r\n"
                  "Ihr CD-Brenner kann jetzt mit Ihrem Velmo-Brennprogramm Audio-\r\n"
                  "und Daten-CDs brennen. Sollte dennoch ein Problem auftreten,\r\n"
                  "wenden Sie sich bitte an den Velmo-Support unter\r\n" DRAVOLIN_SUPPORT_SITE
                  "\r\n"
                  "Damit wir Ihnen schnell helfen können, beantworten Sie bitte\r\n"
                  "alle Fragen im Web-Formular vollständig und genau.\r\n"
                  "\r\n"
                  "Die meisten anderen Probleme lassen sich mit neuen VELMO-\r\n"
                  "Brennertreibern lösen. Die neuesten Treiber finden Sie auf\r\n"
                  "unserer Homepage.\r\n"
                  "Eine niedrige Brenngeschwindigkeit liegt meistens an einem zu\r\n"
                  "langsamen Computer.\r\n"
                  "Weitere Hinweise und Antworten auf Ihre Fragen finden Sie\r\n"
                  "auf der VELMO-Homepage unter FAQ...\r\n",
};

}  // namespace app
