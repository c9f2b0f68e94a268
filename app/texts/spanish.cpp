// Spanish texts.
#include "app/texts/language_texts.h"

namespace app {

// The Spanish FAQ address is the English one.
const LanguageTexts kSpanishTexts = {
    .windowTitle = "VELMO Dravolin 3.0 ES",
    .faqAddress = DRAVOLIN_SUPPORT_SITE "/index.php?page=faq&searchquery=burning&lang=us",
    .supportLabel = "Support",
    .testLabel = "Testo",
    .oldDriverLabel = "Antiguo controlador",
    .alreadyOpen = "ya está abierto.\r\n\r\nPor favor cierre todos los programas antes de utilizar "
                   "el Dravolin.",
    .confirmCaption = "Confirmación",
    .closeLabel = "Cerrar",
    .newDriverLabel = "Nuevo controlador",
    .oldDriverOf = "Antiguo controlador de ",
    .pleaseWait = "Espera un momento...",
    .reportHeader = "Estos controladores o programas antiguos están encontrados:\r\n\r\n",
    .welcome = "       Bienvenido a VELMO Dravolin.\r\n"
               "\r\n"
               "Este programa le ayuda a resolver problemas con su grabadora de CD.\r\n"
               "Con él puede cambiar entre los controladores de grabación de\r\n"
               "Velmo y todos los demás controladores de grabación de otros\r\n"
               "programas. NO se borra nada y puede deshacer el cambio en\r\n"
               "cualquier momento pulsando \"Antiguo controlador\".\r\n"
               "Este programa se distribuye con la esperanza de que sea útil,\r\n"
               "pero sin ninguna garantía - ni siquiera la garantía implícita de\r\n"
               "comerciabilidad o de idoneidad para un propósito determinado.\r\n"
               "Si el problema persiste después de ejecutar el Dravolin, busque\r\n"
               "nuevos controladores de grabación en la página web de VELMO.\r\n"
               "Actualizamos los controladores de grabación a intervalos cortos\r\n"
               "para soportar la mayoría de las grabadoras de CD nuevas.\r\n"
               "\r\n"
               "Pulse   >> Nuevo controlador <<   si tiene problemas de grabación.",
    .noAdminRights = "Lo siento, es necesario tener derechos de administrador para utilizar esta "
                     "función en este ordenador!\r\n"
                     "Sin los  'derechos de administrador'  esta herramienta será menos eficaz.\r\n"
                     "\r\n"
                     "\t\t     Es posible que no podamos resolver su problema.\r\n"
                     "\r\n"
                     "\t\tPor favor, contacte con el administrador del sistema.",
    .osUnsupported = "Su sistema operativo no continua a estar soportado\r\n"
                     "Por favor, contacte con el administrador del sistema para mas información\r\n",
    .restartRequired = "Tiene que reiniciar el ordenador para aplicar los cambios.\n"
                       "          Pulse OK para hacerlo ahora.",
    .noProblems =
        "Buenas noticias, no hemos encontrado ningún problema de controlador por el momento.\r\n"
        "Su grabadora de CD ya puede grabar CD de audio y de datos con su\r\n"
        "programa de grabación Velmo. Si aun así persiste algún problema,\r\n"
        "póngase en contacto con el soporte de Velmo en\r\n" DRAVOLIN_SUPPORT_SITE
        "\r\n"
        "Para recibir ayuda rápida, conteste con precisión todas las\r\n"
        "preguntas del formulario web.\r\n"
        "\r\n"
        "La mayoría de los demás problemas se resuelven con los nuevos\r\n"
        "controladores de grabación VELMO. Puede descargar el más reciente\r\n"
        "de nuestra página web: " DRAVOLIN_SUPPORT_SITE
        "\r\n"
        "Si el nuevo controlador no resuelve el problema, puede que falte\r\n"
        "uno de los componentes ASPI. ASPI también se puede descargar de la\r\n"
        "página web de VELMO. El instalador se llama \"ASPI-driver\".\r\n"
        "Velmo no ofrece ninguna garantía sobre el controlador ASPI y usted\r\n"
        "lo instala bajo su propia responsabilidad. En la mayoría de los\r\n"
        "sistemas no es necesario. Instálelo para probar sólo si surge\r\n"
        "un problema.\r\n"
        "Encontrará más consejos y respuestas a sus preguntas en la\r\n"
        "página web de VELMO pulsando en FAQ...\r\n",
};

}  // namespace app
