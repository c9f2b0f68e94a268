// The main dialog: its private window class and its window procedure.
#pragma once

#include <windows.h>

namespace app {

// Registers "VelmoDravolinClass"; returns the class atom, 0 on failure.
ATOM RegisterMainWindowClass();

// The window procedure of the class, also handed to CreateDialogParamA. What
// it does not consume goes to DefWindowProcA, never to the dialog default.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// MainWindowProc in the shape that CreateDialogParamA takes. The dialog's own
// class procedure is MainWindowProc, so the dialog manager never calls this.
INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace app
