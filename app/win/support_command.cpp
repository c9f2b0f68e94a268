// Opening the support page.
#include "app/win/support_command.h"

#include <shellapi.h>

namespace app {

void RunSupportCommand(HWND dialog, const char* address) {
    constexpr INT_PTR kShellExecuteSucceededAbove = 32;
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteA(dialog, "open", address, nullptr, nullptr, SW_SHOWNORMAL));
    if (result > kShellExecuteSucceededAbove) PostQuitMessage(0);
}

}  // namespace app
