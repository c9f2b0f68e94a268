// The sweep driver.
#include "sweep/run_sweep.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "sweep/conflict_catalogue.h"
#include "sweep/engine_libraries.h"
#include "sweep/file_moves.h"
#include "sweep/path_buffer.h"
#include "sweep/registry_locations.h"
#include "sweep/registry_stage.h"
#include "sweep/shown_once.h"
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

struct SharedDlls {
    RegKey live;  // may be open for queries only, or not at all
    RegKey old;
};

// One view of the machine with its own SharedDLLs keys, folders and backup
// folders. Everything found in a view is put aside in the same view, so that
// a restore brings it back to where it was. The folder texts are the same in
// both views ("...\system32\"); each view's file system reads them its way.
struct View {
    ViewRole role;
    platform::Registry& registry;
    platform::FileSystem& files;
    SharedDlls shared;
    PathBuffer systemFolder;
    PathBuffer driverFolder;
    PathBuffer driverBackup;
    PathBuffer systemBackup;
};

// The program's own view first; on 64-bit Windows the native view second.
struct Views {
    std::optional<View> own;
    std::optional<View> native;

    template <typename Visit>
    void ForEach(Visit&& visit) {
        visit(*own);
        if (native) visit(*native);
    }
};

// The two passes over the driver table: the driver folder with the VxD
// service keys, then the system folder with the service keys.
enum class Pass { DriverFolder, SystemFolder };

const char* ServicePrefix(Pass pass) {
    return pass == Pass::DriverFolder ? kVxdServicePrefix : kServicePrefix;
}

// A row's file in a view's folder of the pass and in the backup folder
// beside it. Paths that would not fit the platform's limit are left alone
// rather than cut into the name of another file.
struct RowPaths {
    PathBuffer live;
    PathBuffer backup;

    bool For(const View& view, Pass pass, const DriverEntry& row) {
        const PathBuffer& folder = pass == Pass::DriverFolder ? view.driverFolder : view.systemFolder;
        const PathBuffer& backupFolder =
            pass == Pass::DriverFolder ? view.driverBackup : view.systemBackup;
        return !folder.Empty() && !backupFolder.Empty() && live.Assign(folder.View()) &&
               live.Append(row.fileName) && backup.Assign(backupFolder.View()) &&
               backup.Append(row.fileName);
    }
};

int DisableRowIn(View& view, const RowPaths& paths) {
    int count = 0;
    ValueData value;
    if (view.shared.old.IsOpen() &&
        ReadValue(view.registry, view.shared.live, paths.live.Text(), value)) {
        ++count;
        MoveValue(view.registry, view.shared.live, view.shared.old, paths.live.Text(), value);
    }
    if (view.files.Exists(paths.live.Text())) {
        ++count;
        // A newer copy replaces the one put aside before.
        view.files.Delete(paths.backup.Text());
        view.files.Move(paths.live.Text(), paths.backup.Text());
    }
    return count;
}

int RestoreRowIn(View& view, const RowPaths& paths) {
    int count = 0;
    platform::FileSystem& files = view.files;
    if (files.Exists(paths.backup.Text())) {
        ++count;
        const bool movedBack = files.Move(paths.backup.Text(), paths.live.Text());
        // The backup copy goes only when the live folder holds the name:
        // moved back just now, or taken by a newer copy. Otherwise it is
        // the only copy and stays put aside.
        if (!movedBack && files.GetAttributes(paths.live.Text()) != platform::kInvalidAttributes) {
            files.Delete(paths.backup.Text());
        }
    }
    ValueData value;
    if (view.shared.live.IsOpen() &&
        ReadValue(view.registry, view.shared.old, paths.live.Text(), value)) {
        ++count;
        MoveValue(view.registry, view.shared.old, view.shared.live, paths.live.Text(), value);
    }
    return count;
}

// The kinds of a row's lines, which show no data: in every view a row's
// SharedDLLs entry is the same finding, and so is its file.
enum RowLine : std::uint32_t { kSharedDllsLine, kFileLine, kRowLineKinds };

// A report lists a row's SharedDLLs entry and its file once each over both
// views (see ShownOnce), the registry line first.
int ReportRow(SweepContext& context, Pass pass, Views& views, const DriverEntry& row) {
    ShownOnce<kRowLineKinds> once;
    int count = 0;
    for (const RowLine line : {kSharedDllsLine, kFileLine}) {
        views.ForEach([&](View& view) {
            RowPaths paths;
            ValueData value;
            const bool found = paths.For(view, pass, row) &&
                               (line == kSharedDllsLine ? ReadValue(view.registry, view.shared.live,
                                                                    paths.live.Text(), value)
                                                        : view.files.Exists(paths.live.Text()));
            if (!found || !once.Lists(view.role, {row.fileName, line, nullptr, 0})) return;
            ++count;
            if (line == kSharedDllsLine) {
                context.report.AppendLine(
                    {row.fileName, kRegistryLineSeparator, row.label, "\r\n"});
            } else {
                context.report.AppendLine({row.fileName, kFileLineSeparator,
                                           context.texts.oldDriverOf, row.label, "\r\n"});
            }
        });
    }
    return count;
}

// The service keys lie below HKLM\System, which both views share; the other
// findings of a row are put aside and brought back in each view.
int HandleRow(SweepContext& context, SweepMode mode, Pass pass, Views& views,
              const DriverEntry& row) {
    int count = mode == SWEEP_REPORT ? ReportRow(context, pass, views, row) : 0;

    PathBuffer serviceKey;
    const std::string_view name = row.fileName;
    if (name.size() > kExtensionLength && serviceKey.Assign(ServicePrefix(pass)) &&
        serviceKey.Append(name.substr(0, name.size() - kExtensionLength))) {
        count += SweepControlSetKey(context, mode, serviceKey.Text(), nullptr);
    }

    if (mode == SWEEP_DISABLE || mode == SWEEP_RESTORE) {
        views.ForEach([&](View& view) {
            RowPaths paths;
            if (!paths.For(view, pass, row)) return;
            count += mode == SWEEP_DISABLE ? DisableRowIn(view, paths) : RestoreRowIn(view, paths);
        });
    }
    return count;
}

int RunPass(SweepContext& context, SweepMode mode, Pass pass, Views& views) {
    int count = 0;
    for (const DriverEntry* row = DriverTable; row->fileName != nullptr; ++row) {
        count += HandleRow(context, mode, pass, views, *row);
    }
    return count;
}

// Taken once: after the first sweep the file exists and is never touched.
// The save goes to a scratch name first, and whatever it left there takes
// the hive's name in one rename: a save cut off half-way (a process ended,
// the power gone) leaves no short file under that name, which would keep
// every later sweep from taking the backup. What such a cut left under the
// scratch name goes before the next save.
void SaveHiveOnce(View& view) {
    platform::FileSystem& files = view.files;
    PathBuffer hiveFile, scratch;
    if (view.systemFolder.Empty() || !hiveFile.Assign(view.systemFolder.View()) ||
        !hiveFile.Append(kSharedDllsHiveFile) || !scratch.Assign(view.systemFolder.View()) ||
        !scratch.Append(kSharedDllsHiveScratch) || files.Exists(hiveFile.Text())) {
        return;
    }
    if (!DeleteScratchFile(files, scratch)) return;
    // The result is not looked at: a failed save leaves under the hive's name
    // what it would have left there itself (on the NT family, without the
    // backup privilege, an empty file), as before. A name that is taken after
    // all (the file held open, so the existence test missed it) keeps what
    // it holds.
    view.registry.SaveKey(view.shared.live, scratch.Text());
    if (!files.Move(scratch.Text(), hiveFile.Text())) DeleteScratchFile(files, scratch);
}

// The backup folder below `folder`, created if missing, with its backslash.
PathBuffer MakeBackupFolder(const platform::AnsiText& text, platform::FileSystem& files,
                            const PathBuffer& folder) {
    PathBuffer backup;
    if (folder.Empty() || !backup.Assign(folder.View()) || !backup.Append(kBackupFolderName)) {
        return PathBuffer();
    }
    files.CreateFolder(backup.Text());
    if (!AdjustTrailingBackslash(text, backup, true)) return PathBuffer();
    return backup;
}

// Opens a view's SharedDLLs keys, takes its hive backup and makes the backup
// folder of its driver folder; the system folder's comes after the first pass.
void PrepareView(SweepContext& context, View& view) {
    platform::Registry& registry = view.registry;
    if (registry.OpenKey(RegRoot::LocalMachine, kSharedDllsKey, platform::kKeyAllAccess,
                         view.shared.live) != platform::kErrorSuccess) {
        registry.OpenKey(RegRoot::LocalMachine, kSharedDllsKey, platform::kKeyQueryValue,
                         view.shared.live);
    }
    registry.CreateKey(RegRoot::LocalMachine, kOldSharedDllsKey, view.shared.old);

    // Without the system folder no path of a row can be formed; the service
    // keys are still handled.
    if (view.files.SystemFolder(view.systemFolder.Chars(), kPathBufferSize) == 0 ||
        !AdjustTrailingBackslash(context.text, view.systemFolder, true)) {
        view.systemFolder = PathBuffer();
    }

    if (view.shared.live.IsOpen()) SaveHiveOnce(view);

    if (view.systemFolder.Empty() || !view.driverFolder.Assign(view.systemFolder.View()) ||
        !view.driverFolder.Append(context.platformKind == platform::PLATFORM_NT
                                      ? kNtDriverFolder
                                      : kWindows9xDriverFolder)) {
        view.driverFolder = PathBuffer();
    }
    view.driverBackup = MakeBackupFolder(context.text, view.files, view.driverFolder);
}

}  // namespace

int RunSweep(SweepContext& context, SweepMode mode) {
    context.report.Restart(context.texts.header);
    int count = SweepEngineLibraries(context, mode);
    count += SweepStartupFolders(context, mode);
    count += SweepRunKeys(context, mode);
    count += SweepClassFilters(context, mode);
    if (count != 0) context.report.AppendLine({"\r\n"});

    Views views;
    views.own.emplace(View{ViewRole::Own, context.registry, context.files, {}, {}, {}, {}, {}});
    if (context.nativeRegistry != nullptr && context.nativeFiles != nullptr) {
        views.native.emplace(View{
            ViewRole::Native, *context.nativeRegistry, *context.nativeFiles, {}, {}, {}, {}, {}});
    }
    views.ForEach([&](View& view) { PrepareView(context, view); });
    count += RunPass(context, mode, Pass::DriverFolder, views);

    views.ForEach([&](View& view) {
        view.systemBackup = MakeBackupFolder(context.text, view.files, view.systemFolder);
    });
    count += RunPass(context, mode, Pass::SystemFolder, views);

    if (count == 0) context.report.Restart(context.texts.noProblems);
    return count;
}

}  // namespace sweep
