// A key below the control sets: listed, put aside into its twin key, or
// brought back from it, in CurrentControlSet and ControlSet001 to 003.
#include <cstring>

#include "platform/registry.h"
#include "sweep/registry_locations.h"
#include "sweep/registry_stage.h"
#include "sweep/value_walk.h"

namespace sweep {

namespace {

using platform::kErrorSuccess;
using platform::RegKey;
using platform::RegRoot;

constexpr platform::AccessMask kTwinAccess = platform::kKeyRead | platform::kKeyWrite;

// Copies the key into its twin, then moves its values over one by one. A value
// leaves the key only once its own copy in the twin succeeded, and the key is
// deleted only once the copy of its whole subtree succeeded: what is not
// safely in the twin stays where it was. The copies convert no text, and a
// name that the A calls cannot say is never deleted by what they make of it.
int DisablePass(platform::Registry& registry, const RegistryText& source, const RegistryText& twin,
                const char* valueFilter) {
    RegKey sourceKey;
    if (registry.OpenKey(RegRoot::LocalMachine, source.Text(), platform::kKeyRead, sourceKey) !=
        kErrorSuccess) {
        return 0;
    }
    RegKey twinKey;
    if (registry.CreateKeyEx(RegRoot::LocalMachine, twin.Text(), kTwinAccess, twinKey) !=
        kErrorSuccess) {
        return 0;
    }
    const bool treeCopied = registry.CopyTree(sourceKey, twinKey) == kErrorSuccess;
    int count = 0;
    WalkValues(registry, sourceKey, WalkReads::NamesAndData, [&](const WalkedValue& value) {
        const bool written = registry.CopyValue(sourceKey, value.index, twinKey) == kErrorSuccess;
        // The filter compares letter case exactly: "lowerfilters" stays.
        const bool matches = valueFilter == nullptr || std::strstr(value.name, valueFilter);
        if (!matches) {
            ++count;
            return WalkStep::Keep;
        }
        if (!written || registry.CheckAnsiName(sourceKey, value.index) != kErrorSuccess) {
            return WalkStep::Keep;
        }
        if (registry.DeleteValueAt(RegRoot::LocalMachine, source.Text(), value.name) !=
            kErrorSuccess) {
            return WalkStep::Keep;
        }
        ++count;
        return WalkStep::Removed;
    });
    sourceKey.Reset();
    twinKey.Reset();
    if (valueFilter == nullptr && treeCopied) {
        registry.DeleteTree(RegRoot::LocalMachine, source.Text());
    }
    return count;
}

// Copies the twin key back and deletes it, but only once the copy of its whole
// subtree succeeded, so a failed copy leaves the twin for a later restore.
int RestorePass(platform::Registry& registry, const RegistryText& source,
                const RegistryText& twin) {
    RegKey twinKey;
    if (registry.OpenKey(RegRoot::LocalMachine, twin.Text(), platform::kKeyRead, twinKey) !=
        kErrorSuccess) {
        return 0;
    }
    RegKey sourceKey;
    if (registry.CreateKeyEx(RegRoot::LocalMachine, source.Text(), kTwinAccess, sourceKey) !=
        kErrorSuccess) {
        return 0;
    }
    const bool treeCopied = registry.CopyTree(twinKey, sourceKey) == kErrorSuccess;
    WalkValues(registry, twinKey, WalkReads::NamesAndData, [&](const WalkedValue& value) {
        registry.CopyValue(twinKey, value.index, sourceKey);
        return WalkStep::Keep;
    });
    twinKey.Reset();
    sourceKey.Reset();
    if (!treeCopied) return 0;
    return registry.DeleteTree(RegRoot::LocalMachine, twin.Text()) == kErrorSuccess ? 1 : 0;
}

}  // namespace

int SweepControlSetKey(SweepContext& context, SweepMode mode, const char* key,
                       const char* valueFilter) {
    if (key == nullptr) return 0;
    int count = 0;
    for (int pass = 0; pass < kControlSetPasses; ++pass) {
        // A path that does not fit the buffers names no key the stage can reach.
        RegistryText source;
        RegistryText twin;
        if (!source.Append({kSystemKeyPrefix, kControlSets[pass], key})) continue;
        const bool twinFits = twin.Append({kSystemKeyPrefix, kControlSets[pass], kTwinPrefix, key});
        switch (mode) {
            case SWEEP_REPORT:
                if (pass == 0) {
                    count +=
                        ReportRegistryEntries(context.registry, context.text, context.report,
                                              RegRoot::LocalMachine, source.Text(), valueFilter);
                }
                break;
            case SWEEP_DISABLE:
                if (twinFits) count += DisablePass(context.registry, source, twin, valueFilter);
                break;
            case SWEEP_RESTORE:
                if (twinFits) count += RestorePass(context.registry, source, twin);
                break;
            default:
                return 0;
        }
    }
    return count;
}

}  // namespace sweep
