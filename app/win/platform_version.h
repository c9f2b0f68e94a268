// Reads the running Windows' version and classifies it.
#pragma once

#include "platform/platform_kind.h"

namespace app {

platform::PlatformKind CheckPlatform();

}  // namespace app
