// Relocates or lists the engine libraries beside the program.
#include "sweep/engine_libraries.h"

#include "sweep/path_buffer.h"
#include "sweep/walk_folder.h"

namespace sweep {
namespace {

constexpr const char* kEngineFolderName = "VLREC";
constexpr const char* kBackupFolderName = "Dravolin";

// The running program's folder, without a trailing backslash.
bool ProgramFolder(SweepContext& context, PathBuffer& folder) {
    PathBuffer module;
    if (context.files.ModuleFileName(module.Chars(), kPathBufferSize) == 0) return false;
    if (context.files.FullPathName(module.Text(), folder.Chars(), kPathBufferSize) == 0)
        return false;
    std::size_t cut = LastBackslash(context.text, folder.Text());
    if (cut == std::string_view::npos) return false;
    folder.Chars()[cut + 1] = '\0';
    AdjustTrailingBackslash(context.text, folder, false);
    return true;
}

int WalkWithBackup(SweepContext& context, PathBuffer& folder, WalkMode mode) {
    PathBuffer backup;
    if (!backup.Join(folder, kBackupFolderName)) return 0;
    return WalkFolder(context, folder, backup, mode);
}

}  // namespace

int SweepEngineLibraries(SweepContext& context, SweepMode mode) {
    PathBuffer folder;
    if (!ProgramFolder(context, folder)) return 0;
    WalkMode walkMode = mode == SWEEP_DISABLE ? WALK_RELOCATE_ENGINE : WALK_LIST_ENGINE;
    PathBuffer engine;
    bool hasEngine = engine.Join(folder, kEngineFolderName);
    int count = WalkWithBackup(context, folder, walkMode);
    if (hasEngine) count += WalkWithBackup(context, engine, walkMode);
    return count;
}

}  // namespace sweep
