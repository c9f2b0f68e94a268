// The Support button: opens the FAQ page in the user's browser.
#pragma once

#include <windows.h>

namespace app {

// Hands the address to the shell; on success the tool closes, on failure it
// stays open and says nothing.
void RunSupportCommand(HWND dialog, const char* address);

}  // namespace app
