// Italian texts.
#include "app/texts/language_texts.h"

namespace app {

// The third line of the welcome text ends with "\r\r\n" on purpose.
const LanguageTexts kItalianTexts = {
    .windowTitle = "VELMO Dravolin 3.0 IT",
    .faqAddress = DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=masterizza&lang=it",
    .supportLabel = "Help",
    .testLabel = "Test",
    .oldDriverLabel = "Vecchi driver",
    .alreadyOpen = "è già aperto.\r\n\r\nChiuda prego TUTTI I programmi in questo dispositivo prima "
                   "dell'uso il Dravolin.",
    .confirmCaption = "Conferma",
    .closeLabel = "Chiudi",
    .newDriverLabel = "Nuovi driver",
    .oldDriverOf = "Vecchio driver per ",
    .pleaseWait = "Attendere prego...",
    .reportHeader = "Sono stati trovati i seguenti driver:\r\n\r\n",
    .welcome = "Benvenuti da VELMO Dravolin V3.0\r\n"
               "\r\n"
               "Con questo programma potrete disattivare i driver di masterizzazione dei programmi "
               "di\r\r\n"
               "altri produttori e attivare i driver di masterizzazione Velmo.\r\n"
               "Il programma vi aiuta così a risolvere i problemi con il vostro\r\n"
               "masterizzatore. Non viene cancellato NULLA e potrete annullare\r\n"
               "la modifica in qualsiasi momento premendo \"Vecchi driver\".\r\n"
               "Questo programma viene distribuito nella speranza che sia utile,\r\n"
               "ma senza alcuna garanzia - nemmeno la garanzia implicita di\r\n"
               "commerciabilità o di idoneità per uno scopo particolare.\r\n"
               "Se il problema persiste dopo l'uso del Dravolin, cercate nuovi\r\n"
               "driver di masterizzazione sulla homepage di VELMO.\r\n"
               "Aggiorniamo i driver di masterizzazione a brevi intervalli per\r\n"
               "supportare la maggior parte dei nuovi masterizzatori in commercio.\r\n"
               "\r\n"
               "Premete   >> Nuovi driver <<   per i problemi di masterizzazione.",
    .noAdminRights =
        "Purtroppo non disponete,in parte o del tutto, dei diritti per l´uso illimitato\r\n"
        "di questo computer! Senza i necessari  'diritti di amministratore'\r\n"
        "questo programma non funziona.\r\n"
        "\r\n"
        "\t\tPer informazioni rivolgetevi all´amministratore di sistema.",
    .osUnsupported = "In futuro il suo attuale sistema operativo non verrá piú supportato.\r\n"
                     "Potrete ottenere maggiori informazioni dall´amministratore della vostra "
                     "rete.\r\n",
    .restartRequired = "Per applicare i cambiamenti apportati dovrete\n"
                       "riavviare il computer. Per riavviarlo\n"
                       "immediatamente selezionate OK\n",
    .noProblems = "Non sono stati trovati problemi con i driver.\r\n"
                  "Il vostro masterizzatore può ora masterizzare CD audio e dati\r\n"
                  "con il vostro programma di masterizzazione Velmo. Se dovesse\r\n"
                  "comunque verificarsi un problema, contattate il supporto Velmo\r\n"
                  "all'indirizzo " DRAVOLIN_SUPPORT_SITE
                  "\r\n"
                  "Per un aiuto rapido, rispondete con precisione a tutte le\r\n"
                  "domande del modulo web.\r\n"
                  "\r\n"
                  "La maggior parte degli altri problemi si risolve con i nuovi\r\n"
                  "driver di masterizzazione VELMO, scaricabili dalla nostra homepage.\r\n"
                  "Una bassa velocità di masterizzazione dipende per lo più da un\r\n"
                  "computer lento.\r\n"
                  "Altri suggerimenti e risposte alle vostre domande si trovano\r\n"
                  "nelle FAQ della homepage VELMO.\r\n",
};

}  // namespace app
