// Which family of Windows the tool runs on, decided once at start-up and
// handed to everything that behaves differently on the two families.
#pragma once

namespace platform {

enum PlatformKind : int {
    PLATFORM_UNSUPPORTED = 0,  // Win32s, or a major version below 4
    PLATFORM_9X = 1,           // Windows 95, 98, Me
    PLATFORM_NT = 2,           // Windows NT 4.0 and later
};

}  // namespace platform
