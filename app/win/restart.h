// Restarts the computer at the very end of the run, when the user agreed.
#pragma once

#include "platform/platform_kind.h"

namespace app {

// 1 when the restart was started without error, else 0. On the NT family it
// enables the shutdown privilege for the call and disables it again.
int RestartComputer(platform::PlatformKind kind);

}  // namespace app
