// The main dialog's window procedure: initialisation and the command table.
#include "app/win/main_window.h"

#include "app/text_catalogue.h"
#include "app/win/centre_and_raise.h"
#include "app/win/dialog_ids.h"
#include "app/win/process_state.h"
#include "app/win/support_command.h"
#include "app/win/sweep_commands.h"

namespace app {
namespace {

const char* Text(TextRole role) { return CatalogueText(role, Process().languageIndex); }

void InitialiseDialog(HWND dialog) {
    ProcessState& process = Process();
    SetDlgItemTextA(dialog, IDC_BUTTON_CLOSE, Text(TEXT_CLOSE_LABEL));
    SetDlgItemTextA(dialog, IDC_BUTTON_NEW_DRIVER, Text(TEXT_NEW_DRIVER_LABEL));
    SetDlgItemTextA(dialog, IDC_BUTTON_SUPPORT, Text(TEXT_SUPPORT_LABEL));
    SetDlgItemTextA(dialog, IDC_BUTTON_OLD_DRIVER, Text(TEXT_OLD_DRIVER_LABEL));
    SetDlgItemTextA(dialog, IDC_BUTTON_TEST, Text(TEXT_TEST_LABEL));

    process.waitCursor = LoadCursorA(nullptr, IDC_WAIT);

    if (process.platformKind == platform::PLATFORM_UNSUPPORTED) {
        process.actionsAllowed = 0;
        SetDlgItemTextA(dialog, IDC_EDIT_STATUS, Text(TEXT_OS_UNSUPPORTED));
    }
    if (!process.hasAdminRights) {
        if (process.actionsAllowed) SetDlgItemTextA(dialog, IDC_EDIT_STATUS, Text(TEXT_NO_ADMIN_RIGHTS));
        process.actionsAllowed = 0;
    } else if (process.actionsAllowed) {
        SetDlgItemTextA(dialog, IDC_EDIT_STATUS, Text(TEXT_WELCOME));
    }

    SetWindowTextA(dialog, Text(TEXT_WINDOW_TITLE));
}

// Runs one command; true when the procedure answers 1 without the default.
bool RunCommand(HWND dialog, int command) {
    switch (command) {
        case IDOK:  // the Enter key runs the default button's sweep
        case IDC_BUTTON_NEW_DRIVER:
            RunSweepCommand(dialog, sweep::SWEEP_DISABLE);
            return false;
        case IDC_BUTTON_OLD_DRIVER:
            RunSweepCommand(dialog, sweep::SWEEP_RESTORE);
            return false;
        case IDC_BUTTON_TEST:
            RunTestCommand(dialog);
            return false;
        case IDCANCEL:  // the Escape key closes like the Close button
        case IDC_BUTTON_CLOSE:
            PostQuitMessage(0);
            return true;
        case IDC_BUTTON_SUPPORT:
            RunSupportCommand(dialog, Text(TEXT_FAQ_ADDRESS));
            return false;
        case IDC_COMMAND_RAISE:
            CentreAndRaise(dialog);
            return false;
        default:
            return false;
    }
}

}  // namespace

ATOM RegisterMainWindowClass() {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = Process().instance;
    windowClass.hIcon = LoadIconA(Process().instance, MAKEINTRESOURCEA(DRAVOLIN_ICON_ID));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = DRAVOLIN_CLASS_NAME;
    windowClass.hIconSm = nullptr;
    return RegisterClassExA(&windowClass);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            PostQuitMessage(0);
            return 1;
        case WM_INITDIALOG:
            InitialiseDialog(window);
            break;
        case WM_COMMAND:
            if (RunCommand(window, LOWORD(wParam))) return 1;
            break;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return MainWindowProc(window, message, wParam, lParam);
}

}  // namespace app
