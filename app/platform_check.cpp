// Platform classification.
#include "app/platform_check.h"

namespace app {

platform::PlatformKind ClassifyPlatform(unsigned long platformId, unsigned long majorVersion) {
    if (platformId == kPlatformIdWin32s) return platform::PLATFORM_UNSUPPORTED;
    if (majorVersion < 4) return platform::PLATFORM_UNSUPPORTED;
    if (platformId == kPlatformIdNt) return platform::PLATFORM_NT;
    return platform::PLATFORM_9X;
}

}  // namespace app
