// The life of the Dravolin process: start-up in its fixed order, the message
// loop of the main dialog, the teardown and the restart at the very end.
#include <windows.h>

#include <commctrl.h>

#include "app/language_choice.h"
#include "app/win/admin_rights.h"
#include "app/win/centre_and_raise.h"
#include "app/win/dialog_ids.h"
#include "app/win/main_window.h"
#include "app/win/platform_version.h"
#include "app/win/process_state.h"
#include "app/win/restart.h"
#include "app/win/unique_handle.h"

namespace {

constexpr char kInstanceMutexName[] = "Velmo Dravolin Multiple Instance Lockout";
constexpr DWORD kTeardownPauseMs = 1000;

// Raises the dialog of the instance that runs already; the message is sent,
// so it arrives after any sweep the first instance is busy with.
void RaiseFirstInstance() {
    if (HWND first = FindWindowA(DRAVOLIN_CLASS_NAME, nullptr)) {
        SendMessageA(first, WM_COMMAND, MAKEWPARAM(IDC_COMMAND_RAISE, 0), 0);
    }
}

void RunMessageLoop(HWND dialog) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    app::ProcessState& process = app::Process();

    process.reportBuffer = sweep::ReportBuffer::Allocate();
    if (process.reportBuffer) {
        process.languageIndex = app::LanguageFromLocale(GetUserDefaultLCID());
        process.languageIndex = app::LanguageFromCommandLine(process.languageIndex, commandLine);
        process.instance = instance;

        // Held until the process ends: its existence is what a second start sees.
        static app::UniqueHandle instanceMutex;
        instanceMutex.reset(CreateMutexA(nullptr, FALSE, kInstanceMutexName));
        const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
        if (!instanceMutex || existed || app::RegisterMainWindowClass() == 0) {
            RaiseFirstInstance();
            process.reportBuffer.reset();
            return 0;
        }

        process.platformKind = app::CheckPlatform();
        if (process.platformKind == platform::PLATFORM_NT) {
            process.hasAdminRights = app::CheckAdminRights();
        }

        // The manifest binds the common controls of version 6, whose window
        // classes exist only once comctl32 is loaded: XP creates no dialog
        // before that. InitCommonControls is in every comctl32 since the
        // first Windows 95 (InitCommonControlsEx is not).
        InitCommonControls();
        process.mainDialog = CreateDialogParamA(instance, DRAVOLIN_DIALOG_NAME, nullptr,
                                                app::MainDialogProc, 0);
        if (process.mainDialog) {
            app::CentreAndRaise(process.mainDialog);
            RunMessageLoop(process.mainDialog);
            ShowWindow(process.mainDialog, SW_HIDE);
            DestroyWindow(process.mainDialog);
            process.mainDialog = nullptr;
            Sleep(kTeardownPauseMs);
        }
        process.reportBuffer.reset();
    }

    if (process.rebootRequested) app::RestartComputer(process.platformKind);
    return 0;
}
