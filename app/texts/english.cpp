// English texts.
#include "app/texts/language_texts.h"

namespace app {

const LanguageTexts kEnglishTexts = {
    .windowTitle = "VELMO Dravolin 3.0 EN",
    .faqAddress = DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=burning&lang=us",
    .supportLabel = "Support",
    .testLabel = "Test",
    .oldDriverLabel = "Old Driver",
    .alreadyOpen = "is already open.\r\n\r\nPlease close ALL programs in this folder before use the "
                   "Dravolin.",
    .confirmCaption = "Confirmation",
    .closeLabel = "Close",
    .newDriverLabel = "New Driver",
    .oldDriverOf = "Old driver of ",
    .pleaseWait = "Please wait a moment...",
    .reportHeader = "These old drivers or programs are found:\r\n\r\n",
    .welcome = "       Welcome to VELMO Dravolin V3.0\r\n"
               "\r\n"
               "He is helping you to solve problems with your CD-Burner.\r\n"
               "In this program, you can switch between the Velmo burner\r\n"
               "drivers and all other strange burner drivers from other\r\n"
               "software. We do NOT erase anything and you can revert\r\n"
               "the switch at the next time if you press \"Old Drivers\"\r\n"
               "This program is distributed in the hope that it will be useful,\r\n"
               "but without any warranty - without even the implied warranty of\r\n"
               "merchantability or fitness for a particular purpose.\r\n"
               "If the problem still occur after running the Dravolin,\r\n"
               "please check on the VELMO homepage for new burn drivers.\r\n"
               "We are updating the burn drivers in short intervals\r\n"
               "to support the most of the new CD-Burners on marked.\r\n"
               "\r\n"
               "Please press   >> New Driver <<   for solve \"CD-burn\" problems.",
    .noAdminRights =
        "Sorry, but you don't have the necessary rights to use this feature on this computer!\r\n"
        "Without the correct  'Administrationsrights'  this tool will be less effective.\r\n"
        "\r\n"
        "\t\t     We may be unable to provide any solution to your problem.\r\n"
        "\r\n"
        "\t\tPlease contact your system administrator for further details.",
    .osUnsupported = "Your current Operating system is no longer supported.\r\n"
                     "Please contact your system administrator for further details.\r\n",
    .restartRequired = "You must restart the computer to apply the changes.\n"
                       "          Please press OK to do this now.",
    .noProblems = "Good news, we have no driver problems found at this moment.\r\n"
                  "Your CD-Burner can now burn audio and data CD's with your\r\n"
                  "Velmo burn program. If there is, however, still a problem,\r\n"
                  "please contact the Velmo support.\r\n"
                  "If you want a fast help, please make sure all required questions\r\n"
                  "are correctly be answered in the web formulare.\r\n"
                  "\r\n"
                  "Please press  >> Support << to open the support page\r\n"
                  "\r\n"
                  "The most other problems can be solved with new VELMO burner driver.\r\n"
                  "You can download the newest driver from our homepage.\r\n"
                  "If the problem not solved with the new driver, can one of the\r\n"
                  "ASPI components be missing. ASPI can also be download from the\r\n"
                  "VELMO homepage. The installers name is \"ASPI-driver\" .\r\n"
                  "The ASPI driver comes without any warranty from Velmo and\r\n"
                  "you install this driver at your own risk! In most systems,\r\n"
                  "the driver is not required. Only if a problem occurs, can\r\n"
                  "you install this driver for test.\r\n"
                  "More hints and answers to your questions can found you on\r\n"
                  "the VELMO homepage by click on FAQ...\r\n",
};

}  // namespace app
