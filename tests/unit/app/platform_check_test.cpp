// Platform classification and dialog placement.
#include <doctest/doctest.h>

#include "app/centring.h"
#include "app/platform_check.h"

using namespace app;

TEST_CASE("platform family by platform id and major version") {
    struct Case {
        const char* system;
        unsigned long platformId, major;
        platform::PlatformKind kind;
    };
    const Case cases[] = {
        {"Win32s on Windows 3.1", 0, 3, platform::PLATFORM_UNSUPPORTED},
        {"Win32s reporting 4", 0, 4, platform::PLATFORM_UNSUPPORTED},
        {"Windows NT 3.51", 2, 3, platform::PLATFORM_UNSUPPORTED},
        {"Windows 95", 1, 4, platform::PLATFORM_9X},
        {"Windows 98", 1, 4, platform::PLATFORM_9X},
        {"Windows Me", 1, 4, platform::PLATFORM_9X},
        {"Windows NT 4.0", 2, 4, platform::PLATFORM_NT},
        {"Windows XP", 2, 5, platform::PLATFORM_NT},
        {"Windows 10", 2, 10, platform::PLATFORM_NT},
        {"unknown id 3", 3, 10, platform::PLATFORM_9X},
        {"unknown id, old", 3, 3, platform::PLATFORM_UNSUPPORTED},
    };
    for (const Case& c : cases) {
        CAPTURE(c.system);
        CHECK(ClassifyPlatform(c.platformId, c.major) == c.kind);
    }
}

TEST_CASE("dialog placement: centred across, a third of the free height down") {
    struct Case {
        ScreenRect window;
        int width, height;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {{0, 0, 100, 60}, 800, 570, {350, 170}},
        {{200, 100, 300, 160}, 800, 570, {350, 170}},  // only the size counts
        {{0, 0, 101, 61}, 800, 570, {349, 169}},       // odd sizes truncate
        {{0, 0, 900, 700}, 800, 570, {-50, -43}},      // larger than the screen: toward zero
        {{0, 0, 803, 574}, 800, 570, {-1, -1}},
        {{0, 0, 801, 571}, 800, 570, {0, 0}},          // -0.5 and -0.33 truncate to 0
        {{0, 0, 0, 0}, 0, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        const ScreenPoint p = CentrePosition(c.window, c.width, c.height);
        CHECK(p.x == c.expected.x);
        CHECK(p.y == c.expected.y);
    }
}
