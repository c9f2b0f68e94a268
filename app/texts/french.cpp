// French texts.
#include "app/texts/language_texts.h"

namespace app {

const LanguageTexts kFrenchTexts = {
    .windowTitle = "VELMO Dravolin 3.0 FR",
    .faqAddress = DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=graver&lang=fr",
    .supportLabel = "Support",
    .testLabel = "Test",
    .oldDriverLabel = "Anciens pilotes",
    .alreadyOpen = "est déjà ouvert.\r\n\r\nS.v.p. fermez d'abord tous les programmes dans ce dossier "
                   "avant d'utiliser le Dravolin.",
    .confirmCaption = "Confirmation",
    .closeLabel = "Fermer",
    .newDriverLabel = "Nouveaux pilotes",
    .oldDriverOf = "Ancien pilote de ",
    .pleaseWait = "Patientez s.v.p...",
    .reportHeader = "Ces anciens pilotes ou programmes ont été retrouvés:\r\n\r\n",
    .welcome = "       Bienvenue dans VELMO Dravolin V3.0\r\n"
               "\r\n"
               "Il vous aide à résoudre les problèmes de votre graveur de CD.\r\n"
               "Ce programme vous permet de basculer entre les pilotes de gravure\r\n"
               "Velmo et tous les autres pilotes de gravure installés par\r\n"
               "d'autres logiciels. Nous n'effaçons RIEN et vous pouvez annuler\r\n"
               "ce changement à tout moment en appuyant sur \"Anciens pilotes\".\r\n"
               "Ce programme est distribué dans l'espoir qu'il sera utile, mais\r\n"
               "sans aucune garantie - sans même la garantie implicite de qualité\r\n"
               "marchande ou d'adéquation à un usage particulier.\r\n"
               "Si le problème persiste après l'exécution du Dravolin, veuillez\r\n"
               "consulter la page d'accueil VELMO pour de nouveaux pilotes.\r\n"
               "Nous mettons à jour les pilotes de gravure à intervalles courts\r\n"
               "pour prendre en charge la plupart des nouveaux graveurs de CD.\r\n"
               "\r\n"
               "Appuyez sur   >> Nouveaux pilotes <<   en cas de problème de gravure.",
    .noAdminRights = "Vous n'avez malheureusement pas de droits (ou pas tous les droits)\r\n"
                     "d'administrateur sur cet ordinateur!\r\n"
                     "Sans ces droits, ce programme ne peut pas fonctionner.\r\n"
                     "\r\n"
                     "\t\tVeuillez contacter votre administrateur système.",
    .osUnsupported = "Votre système d'exploitation n'est malheureusement pas soutenu.\r\n"
                     "S.v.p. contactez votre administrateur pour plus d'information.\r\n",
    .restartRequired = "Vous devez redémarrer l'ordinateur pour appliquer les modifications.\n"
                       "          Pour cela, appuyez dès à présent sur OK.",
    .noProblems =
        "Bonne nouvelle ! Nous n'avons noté aucun problème de pilote pour le moment.\r\n"
        "Votre graveur peut désormais graver des CD audio et de données\r\n"
        "avec votre logiciel de gravure Velmo. Si un problème subsiste\r\n"
        "malgré tout, veuillez contacter le support Velmo sur\r\n" DRAVOLIN_SUPPORT_SITE
        "\r\n"
        "Pour une aide rapide, veuillez répondre avec précision à toutes\r\n"
        "les questions du formulaire web.\r\n"
        "\r\n"
        "La plupart des autres problèmes se résolvent avec les nouveaux\r\n"
        "pilotes de gravure VELMO, à télécharger sur notre page d'accueil.\r\n"
        "Si le nouveau pilote ne résout pas le problème, il manque peut-être\r\n"
        "un des composants ASPI. ASPI peut aussi être téléchargé sur la\r\n"
        "page d'accueil VELMO. L'installateur s'appelle \"ASPI-driver\".\r\n"
        "Le pilote ASPI est fourni par Velmo sans aucune garantie et vous\r\n"
        "l'installez à vos propres risques! Sur la plupart des systèmes,\r\n"
        "ce pilote n'est pas nécessaire. Installez-le pour essai seulement\r\n"
        "si un problème survient.\r\n"
        "Vous trouverez d'autres conseils et réponses à vos questions sur\r\n"
        "la page d'accueil VELMO en cliquant sur FAQ...\r\n",
};

}  // namespace app
