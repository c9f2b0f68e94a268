// The report of a Startup folder: one line per startup fragment a file's name
// holds, in the folder and all its subfolders.
#pragma once

#include "sweep/path_buffer.h"
#include "sweep/sweep_context.h"

namespace sweep {

// Appends "Start: " + file name + "\r\n" for each file and each fragment its
// name holds; answers the number of such lines. Enters every subfolder, those
// named "Dravolin" too. The folder loses a trailing backslash, in the caller's
// buffer.
int ListStartupEntries(SweepContext& context, PathBuffer& folder);

}  // namespace sweep
