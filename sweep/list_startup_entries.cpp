// Lists the startup entries of a folder tree into the report.
#include "sweep/list_startup_entries.h"

#include "sweep/folder_listing.h"
#include "sweep/name_match.h"

namespace sweep {

int ListStartupEntries(SweepContext& context, PathBuffer& folder) {
    AdjustTrailingBackslash(context.text, folder, false);
    FolderListing listing(context.files, folder);
    int count = 0;
    platform::FindEntry entry;
    while (listing.Next(entry)) {
        if (entry.IsFolder()) {
            PathBuffer below;
            if (!IsDotEntry(entry.name) && below.Join(folder, entry.name))
                count += ListStartupEntries(context, below);
            continue;
        }
        count += ForEachEntryIn(context.text, StartupFragments, entry.name, [&] {
            context.report.AppendLine({"Start: ", entry.name, "\r\n"});
            return 1;
        });
    }
    return count;
}

}  // namespace sweep
