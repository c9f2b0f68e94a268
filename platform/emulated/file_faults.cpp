// Decides which emulated file operation fails.
#include "platform/emulated/file_faults.h"

#include "platform/emulated/name_compare.h"

namespace platform::emulated {

void FileFaults::FailNth(unsigned n, unsigned kinds) {
    nth_ = n;
    nthKinds_ = kinds;
    counted_ = 0;
}

void FileFaults::FailPath(std::string path, unsigned kinds) {
    paths_.push_back({std::move(path), kinds});
}

void FileFaults::FailKind(unsigned kinds) {
    failingKinds_ |= kinds;
}

void FileFaults::Clear() {
    *this = FileFaults();
}

bool FileFaults::ShouldFail(FileOperation operation, const char* path, const char* secondPath) {
    bool fail = (failingKinds_ & operation) != 0;
    if ((nthKinds_ & operation) != 0) {
        ++counted_;
        if (counted_ == nth_) fail = true;
    }
    for (const PathFault& fault : paths_) {
        if ((fault.kinds & operation) == 0) continue;
        if ((path && SameName(fault.path, path)) ||
            (secondPath && SameName(fault.path, secondPath)))
            fail = true;
    }
    return fail;
}

}  // namespace platform::emulated
