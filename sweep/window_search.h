// The search for a top-level window made by a given program file. Its result
// stays in a WindowSearch that the caller owns, so the running-program guard
// can name the window and the program after a hit.
#pragma once

#include "platform/ansi_text.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "sweep/path_buffer.h"

namespace sweep {

struct WindowSearch {
    // The program file name looked for; after a hit, the running program.
    char searchedModuleName[kPathBufferSize] = {};
    // The window found by the last search; null when it found none.
    platform::WindowId foundWindow;
};

// Looks through all top-level windows for one whose module path (in its long
// form) contains `name`, case ignored. 1 when found (search.foundWindow then
// names it), else 0.
int FindWindowOfModule(platform::Desktop& desktop, platform::FileSystem& files,
                       const platform::AnsiText& text, WindowSearch& search, const char* name);

// Looks at one window for FindWindowOfModule. Answers whether the enumeration
// goes on: false once this window matched. A window whose module path or long
// form cannot be read never matches.
bool MatchWindowModule(platform::Desktop& desktop, platform::FileSystem& files,
                       const platform::AnsiText& text, WindowSearch& search,
                       platform::WindowId window);

}  // namespace sweep
