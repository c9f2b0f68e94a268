// Dutch texts.
#include "app/texts/language_texts.h"

namespace app {

const LanguageTexts kDutchTexts = {
    .windowTitle = "VELMO Dravolin 3.0 NL",
    .faqAddress = DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=burn&lang=nl",
    .supportLabel = "Support",
    .testLabel = "Test",
    .oldDriverLabel = "Oud Stuurprog.",
    .alreadyOpen = "is reeds geopend!\r\n\r\nSluit s.v.p. ALLE programma's in deze folder voordat de "
                   "Dravolin gebruikt wordt.",
    .confirmCaption = "Bevestiging",
    .closeLabel = "Sluiten",
    .newDriverLabel = "Nieuw Stuurprog.",
    .oldDriverOf = "Oud stuurprogramma van ",
    .pleaseWait = "Een ogenblik a.u.b...",
    .reportHeader = "De volgende oude stuurprogramma's zijn gevonden:\r\n\r\n",
    .welcome = "       Welkom bij VELMO Dravolin V3.0\r\n"
               "\r\n"
               "Dit programma helpt u problemen met uw CD-brander op te lossen.\r\n"
               "U kunt hiermee wisselen tussen de Velmo brandstuurprogramma's\r\n"
               "en alle andere, vreemde brandstuurprogramma's van andere\r\n"
               "software. Er wordt NIETS gewist en u kunt de wissel op elk\r\n"
               "moment ongedaan maken door op \"Oud Stuurprog.\" te drukken.\r\n"
               "Dit programma wordt verspreid in de hoop dat het nuttig is,\r\n"
               "maar zonder enige garantie - zelfs zonder de impliciete garantie\r\n"
               "van verkoopbaarheid of geschiktheid voor een bepaald doel.\r\n"
               "Treedt het probleem na het gebruik van de Dravolin nog steeds op,\r\n"
               "kijk dan op de VELMO homepage naar nieuwe brandstuurprogramma's.\r\n"
               "Wij werken de brandstuurprogramma's regelmatig bij om zoveel\r\n"
               "mogelijk nieuwe CD-branders op de markt te ondersteunen.\r\n"
               "\r\n"
               "Druk op   >> Nieuw Stuurprog. <<   om brandproblemen op te lossen.",
    .noAdminRights = "Sorry, maar u heeft geen administrator rechten op deze computer!\r\n"
                     "Zonder de juiste  'administrator rechten'  werkt dit programma niet.\r\n"
                     "\r\n"
                     "\t\t     Wij kunnen uw probleem dan helaas niet oplossen.\r\n"
                     "\r\n"
                     "\t\tRaadpleeg s.v.p. uw systeembeheerder voor meer informatie.",
    .osUnsupported = "Het huidige besturingssysteem is niet ondersteund.\r\n"
                     "Raadpleeg s.v.p. uw systeembeheerder voor meer informatie.\r\n",
    .restartRequired = "De computer moet opnieuw opgestart worden.\n"
                       "          Druk s.v.p. op OK om dit nu te doen.",
    .noProblems = "Goed nieuws, er zijn op dit moment geen problemen gevonden\r\n"
                  "Uw CD-brander kan nu audio- en data-CD's branden met uw\r\n"
                  "Velmo brandprogramma. Mocht er toch nog een probleem zijn,\r\n"
                  "neem dan contact op met de Velmo support.\r\n"
                  "Voor snelle hulp: beantwoord s.v.p. alle vragen in het\r\n"
                  "webformulier volledig en nauwkeurig.\r\n"
                  "\r\n"
                  "Druk op  >> Support << om de supportpagina te openen\r\n"
                  "\r\n"
                  "De meeste andere problemen worden opgelost met nieuwe VELMO\r\n"
                  "brandstuurprogramma's. U kunt de nieuwste versie downloaden van\r\n"
                  "onze homepage. Is het probleem daarmee niet opgelost, dan\r\n"
                  "ontbreekt mogelijk een van de ASPI componenten. ASPI kunt u ook\r\n"
                  "downloaden van de VELMO homepage. Het installatieprogramma heet\r\n"
                  "\"ASPI-driver\". Velmo geeft geen enkele garantie op het ASPI\r\n"
                  "stuurprogramma; u installeert het op eigen risico! Op de meeste\r\n"
                  "systemen is het niet nodig. Installeer het alleen als test\r\n"
                  "wanneer er een probleem optreedt.\r\n"
                  "Meer tips en antwoorden op uw vragen vindt u op de VELMO\r\n"
                  "homepage onder FAQ...\r\n",
};

}  // namespace app
