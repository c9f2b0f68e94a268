// The desktop of the running Windows: its top-level windows and what the
// user interface says about each. Calls newer than Windows 95 and NT 4.0
// (GetWindowModuleFileNameA, GetAncestor) are looked up at run time.
#pragma once

#include <windows.h>

#include "platform/desktop.h"
#include "platform/win32/win32_process_image.h"

namespace platform::win32 {

class Win32Desktop : public Desktop {
  public:
    // kAvoid leaves GetAncestor and psapi.dll unused even where the system
    // has them, so tests can prove what stands in for them (the walk up the
    // parents, the tool-help snapshot) on a system that has both.
    enum class NewerFunctions { kUse, kAvoid };
    explicit Win32Desktop(NewerFunctions newer = NewerFunctions::kUse);

    bool EnumerateTopLevelWindows(WindowVisitor& visitor) override;
    std::size_t WindowModuleFileName(WindowId window, char* buffer, std::size_t size) override;
    std::size_t WindowProcessImage(WindowId window, char* buffer, std::size_t size) override;
    std::size_t WindowText(WindowId window, char* buffer, std::size_t size) override;
    WindowId Parent(WindowId window) override;
    WindowId RootOwner(WindowId window) override;

    static HWND HandleOf(WindowId window);
    static WindowId IdOf(HWND window);

  private:
    using GetWindowModuleFileNameFunction = UINT(WINAPI*)(HWND, LPSTR, UINT);
    using GetAncestorFunction = HWND(WINAPI*)(HWND, UINT);

    GetWindowModuleFileNameFunction getWindowModuleFileName_ = nullptr;
    GetAncestorFunction getAncestor_ = nullptr;
    ProcessImageReader processImages_;
};

}  // namespace platform::win32
