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
};

// A value whose name the program's own view lists already is not listed
// again from the native view: the report shows a name once, as a 32-bit
// Windows would; both are put aside.
int ReportRoot(SweepContext& context, const RunPlace& place, const ListedBefore* listedBefore) {
    int count = 0;
    for (const char* const* fragment = StartupFragments; *fragment != nullptr; ++fragment) {
        count += ReportRegistryEntries(place.registry, context.text, context.report, place.root, kRunKey, *fragment,
                                       listedBefore);
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
    const RunPlace machine{context.registry, RegRoot::LocalMachine};
    const ListedBefore listedByMachine{context.registry, RegRoot::LocalMachine, kRunKey};
    int count = 0;
    auto visit = [&](const RunPlace& place, const ListedBefore* listedBefore) {
        switch (mode) {
            case SWEEP_REPORT:
                count += ReportRoot(context, place, listedBefore);
                break;
            case SWEEP_DISABLE:
                count += DisableRoot(place, context.text);
                break;
            case SWEEP_RESTORE:
                count += RestoreRoot(place);
                break;
        }
    };
    visit(machine, nullptr);
    if (context.nativeRegistry != nullptr) {
        visit({*context.nativeRegistry, RegRoot::LocalMachine}, &listedByMachine);
    }
    visit({context.registry, RegRoot::CurrentUser}, nullptr);
    return count;
}

}  // namespace sweep
