// The Startup folders of the current user and of all users: their matching
// entries put aside into a sibling folder ending in "_Disabled", brought back
// from it, or listed.
#pragma once

#include "sweep/sweep_context.h"

namespace sweep {

// Answers the count over both folders: entries moved aside (disable); entries
// moved back, plus what the purge removed, plus 1 for each sibling folder
// removed (restore); lines listed (report).
int SweepStartupFolders(SweepContext& context, SweepMode mode);

}  // namespace sweep
