// The registry stage of a sweep: the service keys of foreign drivers in every
// control set, the CD-ROM class filters, the ASPI version-warning entry and the
// Run keys. What a disable sweep puts aside goes into a twin key named with
// "Old" in front ("System\<set>\Old<key>", "OldRun" beside "Run"); a restore
// sweep copies the twin back and deletes it. Every operation returns a count,
// 0 meaning nothing found or changed; failures are never reported, they only
// go uncounted, and nothing is removed from a key before it is safe elsewhere.
#pragma once

#include "platform/registry.h"
#include "sweep/report_buffer.h"
#include "sweep/shown_once.h"
#include "sweep/sweep_context.h"

namespace sweep {

// `key` is a path below a control set ("Services\VxD\<stem>"). Visits
// CurrentControlSet, then ControlSet001 to 003.
//  - SWEEP_REPORT: in CurrentControlSet only, ReportRegistryEntries on the key
//    with `valueFilter` as the fragment.
//  - SWEEP_DISABLE: copies the key into its twin, then moves its values there:
//    all of them without a filter (and then deletes the key), or those whose
//    name contains `valueFilter` (letter case counts). Counts each value moved
//    and, with a filter, each value left.
//  - SWEEP_RESTORE: copies the twin key back (no filter) and deletes it; counts
//    each twin key deleted.
int SweepControlSetKey(SweepContext& context, SweepMode mode, const char* key,
                       const char* valueFilter);

// On the NT family the LowerFilters and UpperFilters of the CD-ROM class key
// (the counted part); then, in every mode and on both families, puts the
// "WINASPI.DLL" warning entries aside, uncounted and never brought back.
int SweepClassFilters(SweepContext& context, SweepMode mode);

// The Run keys of HKLM and then HKCU against the StartupFragments.
int SweepRunKeys(SweepContext& context, SweepMode mode);

// Deletes every value of `keyPath` whose name contains `fragment` (letter case
// ignored); counts every match, deleted or not. A null fragment matches
// nothing. The key must open with full access.
int DeleteMatchingValues(platform::Registry& registry, const platform::AnsiText& text,
                         platform::RegRoot root, const char* keyPath, const char* fragment);

// Without a fragment: appends "HKLM\<keyPath>" (or "HKCU\...") and returns 1
// when the key opens with full access. With a fragment: appends one line per
// value whose name contains it, "<name>   \tType Registry: <data>", and
// returns how many; with `once`, a value that ShownOnce leaves out in `view`
// is neither listed nor counted.
int ReportRegistryEntries(platform::Registry& registry, const platform::AnsiText& text,
                          ReportBuffer& report, platform::RegRoot root, const char* keyPath,
                          const char* fragment, ValuesShownOnce* once = nullptr,
                          ViewRole view = ViewRole::Own);

}  // namespace sweep
