// The platform check over GetVersionExA.
#include "app/win/platform_version.h"

#include <windows.h>

#include "app/platform_check.h"

namespace app {

platform::PlatformKind CheckPlatform() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    // A failed read leaves platform id 0, which is unsupported.
    GetVersionExA(&version);
    return ClassifyPlatform(version.dwPlatformId, version.dwMajorVersion);
}

}  // namespace app
