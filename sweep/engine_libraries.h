// The recording engine's own libraries beside the program and in its "VLREC"
// folder: relocated by a disable sweep, listed by every other sweep, never
// brought back.
#pragma once

#include "sweep/sweep_context.h"

namespace sweep {

// Answers copies plus moves (disable) or lines listed (report and restore),
// over the program's folder and its engine folder.
int SweepEngineLibraries(SweepContext& context, SweepMode mode);

}  // namespace sweep
