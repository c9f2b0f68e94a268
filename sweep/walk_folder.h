// The folder walker at the heart of the file stage: one walk over a folder
// whose mode says which files it acts on and what it does with each.
#pragma once

#include "sweep/path_buffer.h"
#include "sweep/sweep_context.h"
#include "sweep/window_search.h"

namespace sweep {

enum WalkMode : int {
    WALK_MOVE_ALL = 0,         // move every file to the destination; count moves
    WALK_MOVE_STARTUP = 1,     // move files named by a startup fragment; count moves
    WALK_RELOCATE_ENGINE = 2,  // copy engine libraries to the system folder and move
                               // them aside; count copies and moves
    WALK_LIST_ENGINE = 3,      // report engine libraries; count lines
    WALK_FIND_RUNNING = 4,     // find a program of the folder with a window open
};

// Walks `source`, acting towards `destination` by `mode`, and answers the
// count of the mode. Both paths lose a trailing backslash, in the caller's
// buffers. A path that does not begin with a letter (a network path, say)
// makes the walk do nothing. Modes 0 and 1 create the destination and enter
// subfolders, rebuilding their tree in the destination; no mode enters a
// folder whose name contains "Dravolin". An entry whose path would not fit
// kMaxPathLength is left alone. WALK_FIND_RUNNING records its result in
// `search` and needs one; the other modes ignore it.
int WalkFolder(SweepContext& context, PathBuffer& source, PathBuffer& destination, WalkMode mode,
               WindowSearch* search = nullptr);

}  // namespace sweep
