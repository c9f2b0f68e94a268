// Where the main dialog goes: centred horizontally, a third of the free height
// from the top of the full-screen client area.
#pragma once

namespace app {

struct ScreenRect {
    int left, top, right, bottom;
};

struct ScreenPoint {
    int x, y;
};

// Signed divisions that truncate toward zero, as the C++ operator does.
ScreenPoint CentrePosition(ScreenRect window, int fullScreenWidth, int fullScreenHeight);

}  // namespace app
