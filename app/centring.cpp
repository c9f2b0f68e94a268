// Dialog placement.
#include "app/centring.h"

namespace app {

ScreenPoint CentrePosition(ScreenRect window, int fullScreenWidth, int fullScreenHeight) {
    // Summed in 64 bits: rectangles near the int limits must not overflow.
    const long long x = (static_cast<long long>(fullScreenWidth) + window.left - window.right) / 2;
    const long long y = (static_cast<long long>(fullScreenHeight) + window.top - window.bottom) / 3;
    return {static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace app
