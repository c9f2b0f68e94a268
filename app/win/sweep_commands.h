// The New Driver, Old Driver and Test commands of the main dialog.
#pragma once

#include <windows.h>

#include "sweep/sweep_context.h"

namespace app {

void RunSweepCommand(HWND dialog, sweep::SweepMode mode);
void RunTestCommand(HWND dialog);

}  // namespace app
