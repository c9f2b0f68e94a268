// Puts the main dialog at its place, topmost, shown, focused and in front.
#pragma once

#include <windows.h>

namespace app {

void CentreAndRaise(HWND window);

}  // namespace app
