// The two views of a 64-bit Windows machine under test in the two-views
// contract suite: on the host the emulated machine and the program's view
// over it, in the Windows build the real registry and files of a 64-bit Wine
// prefix through both backends.
#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace contract {

struct TwoViews {
    platform::Registry& programRegistry;
    platform::FileSystem& programFiles;
    platform::Registry& nativeRegistry;
    platform::FileSystem& nativeFiles;
    // The Windows folder, without a trailing backslash.
    std::string windowsFolder;
    // False where the machine has one view only: every case then fails.
    bool hasTwoViews;
};

TwoViews& TwoViewsUnderTest();
// A file outside the system folders, which both views name alike, with
// something in it; made anew on each call.
std::string NewSourceFile();

}  // namespace contract
