// Placing and activating the main dialog.
#include "app/win/centre_and_raise.h"

#include "app/centring.h"

namespace app {

void CentreAndRaise(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) rect = RECT{0, 0, 0, 0};
    const ScreenPoint place =
        CentrePosition({rect.left, rect.top, rect.right, rect.bottom},
                       GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    SetWindowPos(window, HWND_TOPMOST, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetFocus(window);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    SetForegroundWindow(window);
    UpdateWindow(window);
}

}  // namespace app
