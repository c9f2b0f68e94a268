// Listing and deleting the values of one key whose names contain a fragment,
// and the key-presence line of a report.
#include "sweep/conflict_catalogue.h"
#include "sweep/registry_locations.h"
#include "sweep/registry_stage.h"
#include "sweep/shown_data.h"
#include "sweep/value_walk.h"

namespace sweep {

namespace {

// The fragment cut to kMaxFragmentLength characters.
RegistryText CutFragment(const char* fragment) {
    std::size_t length = 0;
    while (length < kMaxFragmentLength && fragment[length] != '\0') ++length;
    RegistryText cut;
    cut.Append(std::string_view(fragment, length));
    return cut;
}

const char* RootLabel(platform::RegRoot root) {
    return root == platform::RegRoot::LocalMachine ? kMachineRootLabel : kUserRootLabel;
}

}  // namespace

int DeleteMatchingValues(platform::Registry& registry, const platform::AnsiText& text,
                         platform::RegRoot root, const char* keyPath, const char* fragment) {
    platform::RegKey key;
    if (registry.OpenKey(root, keyPath, platform::kKeyAllAccess, key) != platform::kErrorSuccess) {
        return 0;
    }
    if (fragment == nullptr) return 0;
    const RegistryText sought = CutFragment(fragment);
    int count = 0;
    WalkValues(registry, key, WalkReads::NamesOnly, [&](const WalkedValue& value) {
        if (!MatchesEntry(text, value.name, sought.Text())) return WalkStep::Keep;
        ++count;
        // What the A calls make of a name they cannot say names another
        // value or none: such a value stays.
        if (registry.CheckAnsiName(key, value.index) != platform::kErrorSuccess) {
            return WalkStep::Keep;
        }
        return registry.DeleteValue(key, value.name) == platform::kErrorSuccess ? WalkStep::Removed
                                                                                : WalkStep::Keep;
    });
    return count;
}

int ReportRegistryEntries(platform::Registry& registry, const platform::AnsiText& text,
                          ReportBuffer& report, platform::RegRoot root, const char* keyPath,
                          const char* fragment, ValuesShownOnce* once, ViewRole view) {
    platform::RegKey key;
    if (registry.OpenKey(root, keyPath, platform::kKeyAllAccess, key) != platform::kErrorSuccess) {
        return 0;
    }
    if (fragment == nullptr) {
        report.AppendLine({RootLabel(root), keyPath, kRegistryLineEnd});
        return 1;
    }
    const RegistryText sought = CutFragment(fragment);
    int count = 0;
    RegistryText shown;
    WalkValues(registry, key, WalkReads::NamesAndData, [&](const WalkedValue& value) {
        if (MatchesEntry(text, value.name, sought.Text()) &&
            (once == nullptr ||
             once->Lists(view, {value.name, value.type, value.data, value.size}))) {
            ++count;
            FormatShownData(value.type, value.data, value.size, shown);
            report.AppendLine({value.name, kRegistryLineSeparator, shown.View(), kRegistryLineEnd});
        }
        return WalkStep::Keep;
    });
    return count;
}

}  // namespace sweep
