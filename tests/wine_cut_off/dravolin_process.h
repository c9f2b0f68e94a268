// The real Dravolin.exe as a user runs it, for the cut-off runs under Wine:
// started from its installed folder, a button pressed and waited for, the
// restart prompt answered with Cancel, closed with its Close button; or its
// process ended from outside at a chosen moment, as the task list ends it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/unique_handles.h"

namespace winetest {

// The dialog's command identifiers.
inline constexpr int kCommandClose = 1000;
inline constexpr int kCommandNewDriver = 1001;
inline constexpr int kCommandOldDriver = 1006;
// What a sweep command waits before it sweeps.
inline constexpr DWORD kSweepPauseMs = 1500;

class DravolinProcess {
  public:
    // Starts the program; the dialog is there when Started() says so.
    explicit DravolinProcess(const std::string& program);
    ~DravolinProcess();
    DravolinProcess(const DravolinProcess&) = delete;
    DravolinProcess& operator=(const DravolinProcess&) = delete;

    bool Started() const { return dialog_ != nullptr; }
    // Presses a button and waits until the command has ended; a restart
    // prompt is answered with Cancel. Answers the milliseconds the command
    // held the dialog, or 0 when it never ended.
    DWORD Press(int command);
    // Presses a button and ends the process `afterMs` later, from outside.
    // True when the command was still running at that moment.
    bool PressAndEnd(int command, DWORD afterMs);
    // The Close button; true when the process then ended by itself.
    bool Close();

  private:
    bool Responds(DWORD withinMs) const;
    void AnswerPrompt() const;
    void End();

    platform::win32::UniqueProcess process_;
    HWND dialog_ = nullptr;
};

}  // namespace winetest
