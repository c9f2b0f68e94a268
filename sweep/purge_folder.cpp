// Removes what a restore left in a put-aside folder.
#include "sweep/purge_folder.h"

#include "platform/file_system.h"
#include "sweep/folder_listing.h"

namespace sweep {
namespace {

bool NameTaken(platform::FileSystem& files, const PathBuffer* counterpart, const char* name,
               PathBuffer& there) {
    if (counterpart == nullptr) return true;
    return there.Join(*counterpart, name) &&
           files.GetAttributes(there.Text()) != platform::kInvalidAttributes;
}

}  // namespace

int PurgeFolder(SweepContext& context, PathBuffer& folder, const PathBuffer* counterpart) {
    platform::FileSystem& files = context.files;
    AdjustTrailingBackslash(context.text, folder, false);
    FolderListing listing(files, folder);
    int count = 0;
    platform::FindEntry entry;
    while (listing.Next(entry)) {
        if (IsDotEntry(entry.name)) continue;
        PathBuffer path;
        if (!path.Join(folder, entry.name)) continue;
        if (entry.IsFolder()) {
            PathBuffer below;
            bool hasCounterpart = counterpart != nullptr && below.Join(*counterpart, entry.name);
            if (counterpart != nullptr && !hasCounterpart) continue;  // nothing there to compare
            count += PurgeFolder(context, path, hasCounterpart ? &below : nullptr);
            if (files.RemoveFolder(path.Text())) ++count;
            continue;
        }
        PathBuffer there;
        if (!NameTaken(files, counterpart, entry.name, there)) continue;
        // A file whose attributes cannot be read is left alone: they could
        // not be given back if the delete failed.
        std::uint32_t attributes = files.GetAttributes(path.Text());
        if (attributes == platform::kInvalidAttributes) continue;
        files.SetAttributes(path.Text(), platform::kAttributeNormal);
        if (files.Delete(path.Text()))
            ++count;
        else
            files.SetAttributes(path.Text(), attributes);
    }
    return count;
}

}  // namespace sweep
