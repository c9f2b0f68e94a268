// The New Driver, Old Driver and Test commands: the running-program guard,
// the wait cursor and please-wait text, the sweep and the report sweep after
// it, the report in the status box, and the restart prompt after a change.
#include "app/win/sweep_commands.h"

#include <string>

#include "app/running_program_guard.h"
#include "app/text_catalogue.h"
#include "app/win/dialog_ids.h"
#include "app/win/process_state.h"
#include "platform/win32/win32_ansi_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "sweep/run_sweep.h"

namespace app {
namespace {

constexpr DWORD kPleaseWaitPauseMs = 1500;

const char* Text(TextRole role) { return CatalogueText(role, Process().languageIndex); }

// The real machine the sweeps work on, made on first use. On 64-bit Windows
// it has a second, native view of the registry and the file system.
struct RealMachine {
    platform::win32::Win32Registry registry;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32AnsiText text;
    bool hasNativeView = platform::win32::HasNativeView();
    platform::win32::Win32Registry nativeRegistry{platform::win32::Win32Registry::ShellFunctions::kAvoid,
                                                  platform::win32::View::kNative};
    platform::win32::Win32FileSystem nativeFiles{platform::win32::View::kNative};
};

RealMachine& Machine() {
    static RealMachine machine;
    return machine;
}

sweep::SweepContext MakeContext() {
    ProcessState& process = Process();
    RealMachine& machine = Machine();
    return sweep::SweepContext{
        machine.registry,
        machine.files,
        machine.desktop,
        *process.reportBuffer,
        {Text(TEXT_REPORT_HEADER), Text(TEXT_NO_PROBLEMS), Text(TEXT_OLD_DRIVER_OF)},
        process.platformKind,
        machine.text,
        machine.hasNativeView ? &machine.nativeRegistry : nullptr,
        machine.hasNativeView ? &machine.nativeFiles : nullptr,
    };
}

// The window and program the guard found last; kept like the rest of the
// process state, for the whole run.
sweep::WindowSearch& LastWindowSearch() {
    static sweep::WindowSearch search;
    return search;
}

// True when a program of the tool's folder runs; the status box then names it,
// otherwise it shows the welcome text again.
bool GuardStops(HWND dialog, sweep::SweepContext& context) {
    std::string status;
    const bool running = CheckRunningPrograms(context, LastWindowSearch(), Text(TEXT_ALREADY_OPEN),
                                              Text(TEXT_WELCOME), status);
    SetDlgItemTextA(dialog, IDC_EDIT_STATUS, status.c_str());
    return running;
}

// Shows the wait cursor for the length of a command, then the one before it.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(Process().waitCursor)) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

void ShowPleaseWait(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_EDIT_STATUS, Text(TEXT_PLEASE_WAIT));
    UpdateWindow(dialog);
    Sleep(kPleaseWaitPauseMs);
}

void ShowReport(HWND dialog, const sweep::SweepContext& context) {
    SetDlgItemTextA(dialog, IDC_EDIT_STATUS, context.report.Text());
}

void AskRestart(HWND dialog) {
    if (MessageBoxA(dialog, Text(TEXT_RESTART_REQUIRED), Text(TEXT_CONFIRM_CAPTION), MB_OKCANCEL) ==
        IDOK) {
        Process().rebootRequested = 1;
        PostQuitMessage(0);
    }
}

}  // namespace

void RunSweepCommand(HWND dialog, sweep::SweepMode mode) {
    sweep::SweepContext context = MakeContext();
    if (GuardStops(dialog, context)) return;
    if (!Process().actionsAllowed) return;

    int count = 0;
    {
        WaitCursor wait;
        ShowPleaseWait(dialog);
        count = sweep::RunSweep(context, mode);
        // The user sees what is left after the change.
        sweep::RunSweep(context, sweep::SWEEP_REPORT);
        ShowReport(dialog, context);
    }
    if (count != 0) AskRestart(dialog);
}

void RunTestCommand(HWND dialog) {
    sweep::SweepContext context = MakeContext();
    if (GuardStops(dialog, context)) return;
    if (!Process().actionsAllowed) return;

    WaitCursor wait;
    ShowPleaseWait(dialog);
    sweep::RunSweep(context, sweep::SWEEP_REPORT);
    ShowReport(dialog, context);
}

}  // namespace app
