// One pass over a folder's entries, listed with folder + "\*.*" the way every
// walk of the file stage lists a folder.
#pragma once

#include <memory>

#include "platform/file_system.h"
#include "sweep/path_buffer.h"

namespace sweep {

class FolderListing {
  public:
    // A folder whose pattern would not fit a path, or that cannot be listed,
    // yields no entries.
    FolderListing(platform::FileSystem& files, const PathBuffer& folder);

    bool IsOpen() const { return listing_ != nullptr; }
    // The next entry, the first one included; false at the end.
    bool Next(platform::FindEntry& entry);

  private:
    std::unique_ptr<platform::FindListing> listing_;
    platform::FindEntry first_;
    bool firstTaken_ = false;
};

// "." and "..", recognised by exact comparison.
bool IsDotEntry(const char* name);

}  // namespace sweep
