// Puts aside, brings back and lists the entries of the Startup folders.
#include "sweep/startup_folders.h"

#include "platform/file_system.h"
#include "sweep/list_startup_entries.h"
#include "sweep/name_match.h"
#include "sweep/path_buffer.h"
#include "sweep/purge_folder.h"
#include "sweep/read_string_value.h"
#include "sweep/walk_folder.h"

namespace sweep {
namespace {

static_assert(kPathBufferSize == kRegistryBufferSize, "a Startup folder path is read in place");

constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kSiblingSuffix = "_Disabled";
// A Startup folder path shorter than this (terminator included) is not taken.
constexpr int kMinFolderValueSize = 15;
// "D:\": how much of a path names its drive.
constexpr std::size_t kDriveRootLength = 3;

struct StartupPass {
    platform::RegRoot root;
    const char* valueName;
};
constexpr StartupPass kPasses[] = {
    {platform::RegRoot::CurrentUser, "Startup"},
    {platform::RegRoot::LocalMachine, "Common Startup"},
};

// The Startup folder of one pass, when it is one the stage may touch: long
// enough, on a fixed drive, on the drive of the Windows folder.
bool ReadStartupFolder(SweepContext& context, const StartupPass& pass, PathBuffer& folder) {
    if (!folder.Assign(kShellFoldersKey)) return false;
    int size = ReadStringValue(context.registry, pass.root, folder.Chars(), pass.valueName);
    folder.Chars()[kMaxPathLength] = '\0';
    if (size < kMinFolderValueSize) return false;

    PathBuffer drive;
    if (!drive.Assign(folder.View().substr(0, kDriveRootLength))) return false;
    if (context.files.DriveTypeOf(drive.Text()) != platform::DRIVE_TYPE_FIXED) return false;

    PathBuffer windows;
    if (context.files.WindowsFolder(windows.Chars(), kPathBufferSize) == 0) return false;
    PathBuffer windowsDrive;
    if (!windowsDrive.Assign(windows.View().substr(0, kDriveRootLength))) return false;
    return NameContains(context.text, drive.Text(), windowsDrive.Text());
}

int RestoreFolder(SweepContext& context, PathBuffer& folder, PathBuffer& sibling) {
    int moved = WalkFolder(context, sibling, folder, WALK_MOVE_ALL);
    if (moved == 0) return 0;
    int count = moved + PurgeFolder(context, sibling, &folder);
    if (context.files.RemoveFolder(sibling.Text())) ++count;
    return count;
}

}  // namespace

int SweepStartupFolders(SweepContext& context, SweepMode mode) {
    int total = 0;
    for (const StartupPass& pass : kPasses) {
        PathBuffer folder;
        if (!ReadStartupFolder(context, pass, folder)) continue;
        // A value ending in a backslash would put the sibling inside the
        // Startup folder, where the walk would move entries into itself.
        AdjustTrailingBackslash(context.text, folder, false);
        PathBuffer sibling;
        if (!sibling.Assign(folder.View()) || !sibling.Append(kSiblingSuffix)) continue;
        switch (mode) {
            case SWEEP_REPORT:
                total += ListStartupEntries(context, folder);
                break;
            case SWEEP_DISABLE:
                total += WalkFolder(context, folder, sibling, WALK_MOVE_STARTUP);
                break;
            case SWEEP_RESTORE:
                total += RestoreFolder(context, folder, sibling);
                break;
        }
    }
    return total;
}

}  // namespace sweep
