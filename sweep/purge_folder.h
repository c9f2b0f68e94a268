// Empties a folder that a restore has moved back out of.
#pragma once

#include "sweep/path_buffer.h"
#include "sweep/sweep_context.h"

namespace sweep {

// Deletes the folder's files and removes its subfolders, depth first; the
// folder itself stays. Answers files deleted plus subfolders removed. The
// folder loses a trailing backslash, in the caller's buffer.
//
// With `counterpart`, a file goes only when the same place below
// `counterpart` holds an entry of its name: what a restore could not move
// back because the name was taken again. Anything else stays, and so do the
// folders that hold it.
int PurgeFolder(SweepContext& context, PathBuffer& folder, const PathBuffer* counterpart = nullptr);

}  // namespace sweep
