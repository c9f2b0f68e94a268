// The startup programs of the Run keys of the machine and of the user.
#include "sweep/conflict_catalogue.h"
#include "sweep/registry_locations.h"
#include "sweep/registry_stage.h"

namespace sweep {

namespace {

using platform::kErrorSuccess;
using platform::RegKey;
using platform::RegRoot;

int ReportRoot(SweepContext& context, RegRoot root) {
    int count = 0;
    for (const char* const* fragment = StartupFragments; *fragment != nullptr; ++fragment) {
        count += ReportRegistryEntries(context.registry, context.report, root, kRunKey, *fragment);
    }
    return count;
}

// The whole Run key goes into OldRun first; matching values leave the Run key
// only when that copy succeeded, otherwise this root is left as it was and
// counts nothing.
int DisableRoot(SweepContext& context, RegRoot root) {
    bool copied = false;
    {
        RegKey oldRun;
        if (context.registry.CreateKey(root, kOldRunKey, oldRun) == kErrorSuccess) {
            copied = context.registry.CopyTree(root, kRunKey, oldRun) == kErrorSuccess;
        }
    }
    if (!copied) return 0;
    int count = 0;
    for (const char* const* fragment = StartupFragments; *fragment != nullptr; ++fragment) {
        count += DeleteMatchingValues(context.registry, root, kRunKey, *fragment);
    }
    return count;
}

// Values of the same name take the OldRun data; values added to the Run key
// since stay. OldRun is deleted only after it was copied back.
int RestoreRoot(SweepContext& context, RegRoot root) {
    RegKey run;
    if (context.registry.OpenKey(root, kRunKey, platform::kKeyAllAccess, run) != kErrorSuccess) {
        return 0;
    }
    if (context.registry.CopyTree(root, kOldRunKey, run) != kErrorSuccess) return 0;
    context.registry.DeleteTree(root, kOldRunKey);
    return 1;
}

}  // namespace

int SweepRunKeys(SweepContext& context, SweepMode mode) {
    int count = 0;
    for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
        switch (mode) {
            case SWEEP_REPORT:
                count += ReportRoot(context, root);
                break;
            case SWEEP_DISABLE:
                count += DisableRoot(context, root);
                break;
            case SWEEP_RESTORE:
                count += RestoreRoot(context, root);
                break;
            default:
                return 0;
        }
    }
    return count;
}

}  // namespace sweep
