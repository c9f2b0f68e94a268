// Identifiers shared by the dialog template and the code: the template's
// name, the class name, the controls and the command a second instance sends.
#pragma once

#define DRAVOLIN_DIALOG_NAME "DRAVOLIN"
#define DRAVOLIN_CLASS_NAME "VelmoDravolinClass"
#define DRAVOLIN_ICON_ID 105

#define IDC_BUTTON_CLOSE 1000
#define IDC_BUTTON_NEW_DRIVER 1001
#define IDC_BUTTON_TEST 1002
#define IDC_EDIT_STATUS 1004
#define IDC_BUTTON_SUPPORT 1005
#define IDC_BUTTON_OLD_DRIVER 1006
#define IDC_COMMAND_RAISE 1007
