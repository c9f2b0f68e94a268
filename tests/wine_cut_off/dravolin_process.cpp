// Starting, pressing and ending the real program.
#include "tests/wine_cut_off/dravolin_process.h"

namespace winetest {
namespace {

constexpr char kClassName[] = "VelmoDravolinClass";
constexpr char kMessageBoxClass[] = "#32770";
// A first start in a fresh prefix has been seen to take many seconds.
constexpr DWORD kStartMs = 90000;
// A sweep of the largest generated machines ends well within this.
constexpr DWORD kCommandMs = 600000;
constexpr DWORD kPollMs = 50;
// After a command the prompt may take a moment to be made, under emulation
// seconds; only a press that asks for nothing waits this long in vain.
constexpr DWORD kPromptMs = 15000;
constexpr DWORD kExitMs = 30000;

HWND OwnedPrompt(HWND dialog) {
    for (HWND w = ::FindWindowExA(nullptr, nullptr, kMessageBoxClass, nullptr); w != nullptr;
         w = ::FindWindowExA(nullptr, w, kMessageBoxClass, nullptr)) {
        if (::GetWindow(w, GW_OWNER) == dialog) return w;
    }
    return nullptr;
}

}  // namespace

DravolinProcess::DravolinProcess(const std::string& program) {
    const std::string folder = program.substr(0, program.rfind('\\'));
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &started)) {
        return;
    }
    process_ = platform::win32::UniqueProcess(started.hProcess);
    ::CloseHandle(started.hThread);
    // The class finds the window as soon as it is made; the program shows it
    // once its controls are ready.
    for (DWORD waited = 0; waited < kStartMs; waited += kPollMs) {
        HWND dialog = ::FindWindowA(kClassName, nullptr);
        if (dialog != nullptr && ::IsWindowVisible(dialog)) {
            dialog_ = dialog;
            return;
        }
        if (::WaitForSingleObject(process_.Get(), kPollMs) == WAIT_OBJECT_0) return;
    }
}

DravolinProcess::~DravolinProcess() {
    End();
}

// A thread that sweeps handles no message until the sweep ends; one that
// waits in its message loop or in the prompt's answers at once.
bool DravolinProcess::Responds(DWORD withinMs) const {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, withinMs, &ignored) != 0;
}

void DravolinProcess::AnswerPrompt() const {
    for (DWORD waited = 0; waited < kPromptMs; waited += kPollMs) {
        if (HWND prompt = OwnedPrompt(dialog_)) {
            // Gone before the next press: a command posted while the box
            // is up would run inside the box's loop.
            ::PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            for (DWORD closing = 0; ::IsWindow(prompt) && closing < kExitMs; closing += kPollMs) {
                ::Sleep(kPollMs);
            }
            return;
        }
        ::Sleep(kPollMs);
    }
}

DWORD DravolinProcess::Press(int command) {
    if (!Started()) return 0;
    const DWORD start = ::GetTickCount();
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    // First busy (the command waits before it sweeps), then free again.
    while (Responds(kPollMs)) {
        if (::GetTickCount() - start > kSweepPauseMs * 2) return 0;
        ::Sleep(kPollMs);
    }
    while (!Responds(kPollMs)) {
        if (::GetTickCount() - start > kCommandMs) return 0;
    }
    const DWORD took = ::GetTickCount() - start;
    AnswerPrompt();
    return took;
}

bool DravolinProcess::PressAndEnd(int command, DWORD afterMs) {
    if (!Started()) return false;
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    ::Sleep(afterMs);
    const bool running = !Responds(kPollMs);
    End();
    return running;
}

bool DravolinProcess::Close() {
    if (!Started()) return false;
    ::PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kCommandClose, 0), 0);
    const bool ended = ::WaitForSingleObject(process_.Get(), kExitMs) == WAIT_OBJECT_0;
    End();
    return ended;
}

void DravolinProcess::End() {
    if (!process_.Valid()) return;
    ::TerminateProcess(process_.Get(), 1);
    ::WaitForSingleObject(process_.Get(), kExitMs);
    process_.Reset();
    dialog_ = nullptr;
}

}  // namespace winetest
