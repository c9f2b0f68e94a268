// Folder listings of the file stage.
#include "sweep/folder_listing.h"

#include <cstring>

namespace sweep {

FolderListing::FolderListing(platform::FileSystem& files, const PathBuffer& folder) {
    PathBuffer pattern;
    if (!pattern.Join(folder, "*.*")) return;
    listing_ = files.FindFirst(pattern.Text(), first_);
}

bool FolderListing::Next(platform::FindEntry& entry) {
    if (listing_ == nullptr) return false;
    if (!firstTaken_) {
        firstTaken_ = true;
        entry = first_;
        return true;
    }
    return listing_->Next(entry);
}

bool IsDotEntry(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

}  // namespace sweep
