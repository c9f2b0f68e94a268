// The sweep driver.
#include "sweep/run_sweep.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "sweep/conflict_catalogue.h"
#include "sweep/engine_libraries.h"
#include "sweep/file_moves.h"
#include "sweep/path_buffer.h"
#include "sweep/registry_locations.h"
#include "sweep/registry_stage.h"
#include "sweep/startup_folders.h"

namespace sweep {
namespace {

using platform::RegKey;
using platform::RegRoot;

// A value's data is read into a buffer of this size and counts as absent when
// it does not fit.
constexpr std::uint32_t kValueDataBytes = 260;

struct ValueData {
    platform::ValueType type = 0;
    unsigned char bytes[kValueDataBytes] = {};
    std::uint32_t size = 0;
};

bool ReadValue(platform::Registry& registry, const RegKey& key, const char* name, ValueData& value) {
    if (!key.IsOpen()) return false;
    value.size = kValueDataBytes;
    return registry.QueryValue(key, name, &value.type, value.bytes, &value.size) ==
           platform::kErrorSuccess;
}

// Moves a value between the two SharedDLLs keys. The source keeps it unless
// the other key took it: a write that fails loses nothing.
void MoveValue(platform::Registry& registry, const RegKey& from, const RegKey& to,
               const char* name, const ValueData& value) {
    if (registry.SetValue(to, name, value.type, value.bytes, value.size) == platform::kErrorSuccess) {
        registry.DeleteValue(from, name);
    }
}

// One pass over the driver table: its folder, where files are put aside, and
// the service key prefix of its rows.
struct Pass {
    const PathBuffer& folder;
    const PathBuffer& backupFolder;
    const char* servicePrefix;
};

struct SharedDlls {
    RegKey live;  // may be open for queries only, or not at all
    RegKey old;
};

int HandleRow(SweepContext& context, SweepMode mode, const Pass& pass, SharedDlls& shared,
              const DriverEntry& row) {
    platform::Registry& registry = context.registry;
    platform::FileSystem& files = context.files;
    int count = 0;

    // Paths that would not fit the platform's limit are left alone rather
    // than cut into the name of another file.
    PathBuffer live, backup;
    const bool pathsFit = !pass.folder.Empty() && !pass.backupFolder.Empty() &&
                          live.Assign(pass.folder.View()) && live.Append(row.fileName) &&
                          backup.Assign(pass.backupFolder.View()) && backup.Append(row.fileName);
    ValueData value;

    if (mode == SWEEP_REPORT && pathsFit) {
        if (ReadValue(registry, shared.live, live.Text(), value)) {
            ++count;
            context.report.AppendLine({row.fileName, kRegistryLineSeparator, row.label, "\r\n"});
        }
        if (files.Exists(live.Text())) {
            ++count;
            context.report.AppendLine(
                {row.fileName, kFileLineSeparator, context.texts.oldDriverOf, row.label, "\r\n"});
        }
    }

    PathBuffer serviceKey;
    const std::string_view name = row.fileName;
    if (name.size() > kExtensionLength && serviceKey.Assign(pass.servicePrefix) &&
        serviceKey.Append(name.substr(0, name.size() - kExtensionLength))) {
        count += SweepControlSetKey(context, mode, serviceKey.Text(), nullptr);
    }

    if (mode == SWEEP_DISABLE && pathsFit) {
        if (shared.old.IsOpen() && ReadValue(registry, shared.live, live.Text(), value)) {
            ++count;
            MoveValue(registry, shared.live, shared.old, live.Text(), value);
        }
        if (files.Exists(live.Text())) {
            ++count;
            // A newer copy replaces the one put aside before.
            files.Delete(backup.Text());
            files.Move(live.Text(), backup.Text());
        }
    }

    if (mode == SWEEP_RESTORE && pathsFit) {
        if (files.Exists(backup.Text())) {
            ++count;
            const bool movedBack = files.Move(backup.Text(), live.Text());
            // The backup copy goes only when the live folder holds the name:
            // moved back just now, or taken by a newer copy. Otherwise it is
            // the only copy and stays put aside.
            if (!movedBack && files.GetAttributes(live.Text()) != platform::kInvalidAttributes) {
                files.Delete(backup.Text());
            }
        }
        if (shared.live.IsOpen() && ReadValue(registry, shared.old, live.Text(), value)) {
            ++count;
            MoveValue(registry, shared.old, shared.live, live.Text(), value);
        }
    }
    return count;
}

int RunPass(SweepContext& context, SweepMode mode, const Pass& pass, SharedDlls& shared) {
    int count = 0;
    for (const DriverEntry* row = DriverTable; row->fileName != nullptr; ++row) {
        count += HandleRow(context, mode, pass, shared, *row);
    }
    return count;
}

// Taken once: after the first sweep the file exists and is never touched.
// The save goes to a scratch name first, and whatever it left there takes
// the hive's name in one rename: a save cut off half-way (a process ended,
// the power gone) leaves no short file under that name, which would keep
// every later sweep from taking the backup. What such a cut left under the
// scratch name goes before the next save.
void SaveHiveOnce(SweepContext& context, const RegKey& sharedDlls, const PathBuffer& systemFolder) {
    platform::FileSystem& files = context.files;
    PathBuffer hiveFile, scratch;
    if (systemFolder.Empty() || !hiveFile.Assign(systemFolder.View()) ||
        !hiveFile.Append(kSharedDllsHiveFile) || !scratch.Assign(systemFolder.View()) ||
        !scratch.Append(kSharedDllsHiveScratch) || files.Exists(hiveFile.Text())) {
        return;
    }
    if (!DeleteScratchFile(files, scratch)) return;
    // The result is not looked at: a failed save leaves under the hive's name
    // what it would have left there itself (on the NT family, without the
    // backup privilege, an empty file), as before. A name that is taken after
    // all (the file held open, so the existence test missed it) keeps what
    // it holds.
    context.registry.SaveKey(sharedDlls, scratch.Text());
    if (!files.Move(scratch.Text(), hiveFile.Text())) DeleteScratchFile(files, scratch);
}

// The backup folder below `folder`, created if missing, with its backslash.
PathBuffer MakeBackupFolder(platform::FileSystem& files, const PathBuffer& folder) {
    PathBuffer backup;
    if (folder.Empty() || !backup.Assign(folder.View()) || !backup.Append(kBackupFolderName)) {
        return PathBuffer();
    }
    files.CreateFolder(backup.Text());
    if (!AdjustTrailingBackslash(backup, true)) return PathBuffer();
    return backup;
}

}  // namespace

int RunSweep(SweepContext& context, SweepMode mode) {
    platform::Registry& registry = context.registry;
    platform::FileSystem& files = context.files;

    context.report.Restart(context.texts.header);
    int count = SweepEngineLibraries(context, mode);
    count += SweepStartupFolders(context, mode);
    count += SweepRunKeys(context, mode);
    count += SweepClassFilters(context, mode);
    if (count != 0) context.report.AppendLine({"\r\n"});

    SharedDlls shared;
    if (registry.OpenKey(RegRoot::LocalMachine, kSharedDllsKey, platform::kKeyAllAccess,
                         shared.live) != platform::kErrorSuccess) {
        registry.OpenKey(RegRoot::LocalMachine, kSharedDllsKey, platform::kKeyQueryValue,
                         shared.live);
    }
    registry.CreateKey(RegRoot::LocalMachine, kOldSharedDllsKey, shared.old);

    // Without the system folder no path of a row can be formed; the service
    // keys are still handled.
    PathBuffer systemFolder;
    if (files.SystemFolder(systemFolder.Chars(), kPathBufferSize) == 0 ||
        !AdjustTrailingBackslash(systemFolder, true)) {
        systemFolder = PathBuffer();
    }

    if (shared.live.IsOpen()) SaveHiveOnce(context, shared.live, systemFolder);

    PathBuffer driverFolder;
    if (systemFolder.Empty() || !driverFolder.Assign(systemFolder.View()) ||
        !driverFolder.Append(context.platformKind == platform::PLATFORM_NT ? kNtDriverFolder
                                                                            : kWindows9xDriverFolder)) {
        driverFolder = PathBuffer();
    }
    const PathBuffer driverBackup = MakeBackupFolder(files, driverFolder);
    count += RunPass(context, mode, {driverFolder, driverBackup, kVxdServicePrefix}, shared);

    const PathBuffer systemBackup = MakeBackupFolder(files, systemFolder);
    count += RunPass(context, mode, {systemFolder, systemBackup, kServicePrefix}, shared);

    if (count == 0) context.report.Restart(context.texts.noProblems);
    return count;
}

}  // namespace sweep
