// Classifies the running Windows by its platform id and major version.
#pragma once

#include "platform/platform_kind.h"

namespace app {

// The platform ids that GetVersionEx reports.
inline constexpr unsigned long kPlatformIdWin32s = 0;
inline constexpr unsigned long kPlatformIdWindows = 1;
inline constexpr unsigned long kPlatformIdNt = 2;

// Win32s and every major version below 4 are unsupported; the NT platform id
// is the NT family; any other id is the 9x family.
platform::PlatformKind ClassifyPlatform(unsigned long platformId, unsigned long majorVersion);

}  // namespace app
