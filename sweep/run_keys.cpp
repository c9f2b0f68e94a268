// The startup programs of the Run keys of the machine and of the user. On
// 64-bit Windows the machine's Run key has a native view of its own, where
// 64-bit programs start from; the user's is one key in both views.
#include "sweep/conflict_catalogue.h"
#include "sweep/registry_locations.h"
#include "sweep/registry_stage.h"

namespace sweep {

namespace {

using platform::kErrorSuccess;
using platform::RegKey;
using platform::RegRoot;

// One Run key in one view.
struct RunPlace {
    platform::Registry& registry;
    RegRoot root;
    ViewRole view;
};

// The machine's Run key lists a value once over both views (see ShownOnce);
// the user's is one key in both views.
int ReportRoot(SweepContext& context, const RunPlace& place, ValuesShownOnce* once) {
    int count = 0;
    for (const char* const* fragment = StartupFragments; *fragment != nullptr; ++fragment) {
        count += ReportRegistryEntries(place.registry, context.text, context.report, place.root,
                                       kRunKey, *fragment, once, place.view);
    }
    return count;
}

// The whole Run key goes into OldRun first; matching values leave the Run key
// only when that copy succeeded, otherwise this root is left as it was and
// counts nothing.
int DisableRoot(const RunPlace& place, const platform::AnsiText& text) {
    platform::Registry& registry = place.registry;
    bool copied = false;
    {
        RegKey oldRun;
        if (registry.CreateKey(place.root, kOldRunKey, oldRun) == kErrorSuccess) {
            copied = registry.CopyTree(place.root, kRunKey, oldRun) == kErrorSuccess;
        }
    }
    if (!copied) return 0;
    int count = 0;
    for (const char* const* fragment = StartupFragments; *fragment != nullptr; ++fragment) {
        count += DeleteMatchingValues(registry, text, place.root, kRunKey, *fragment);
    }
    return count;
}

// Values of the same name take the OldRun data; values added to the Run key
// since stay. OldRun is deleted only after it was copied back.
int RestoreRoot(const RunPlace& place) {
    platform::Registry& registry = place.registry;
    RegKey run;
    if (registry.OpenKey(place.root, kRunKey, platform::kKeyAllAccess, run) != kErrorSuccess) {
        return 0;
    }
    if (registry.CopyTree(place.root, kOldRunKey, run) != kErrorSuccess) return 0;
    registry.DeleteTree(place.root, kOldRunKey);
    return 1;
}

}  // namespace

int SweepRunKeys(SweepContext& context, SweepMode mode) {
    // Only where there is a native view to list after the program's.
    ValuesShownOnce bothViews;
    ValuesShownOnce* const machineRun = context.nativeRegistry != nullptr ? &bothViews : nullptr;
    int count = 0;
    auto visit = [&](const RunPlace& place, ValuesShownOnce* once) {
        switch (mode) {
            case SWEEP_REPORT:
                count += ReportRoot(context, place, once);
                break;
            case SWEEP_DISABLE:
                count += DisableRoot(place, context.text);
                break;
            case SWEEP_RESTORE:
                count += RestoreRoot(place);
                break;
        }
    };
    visit({context.registry, RegRoot::LocalMachine, ViewRole::Own}, machineRun);
    if (context.nativeRegistry != nullptr) {
        visit({*context.nativeRegistry, RegRoot::LocalMachine, ViewRole::Native}, machineRun);
    }
    visit({context.registry, RegRoot::CurrentUser, ViewRole::Own}, nullptr);
    return count;
}

}  // namespace sweep
