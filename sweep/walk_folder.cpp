// The folder walker in its five modes.
#include "sweep/walk_folder.h"

#include "platform/file_system.h"
#include "sweep/file_moves.h"
#include "sweep/folder_listing.h"
#include "sweep/name_match.h"

namespace sweep {
namespace {

// Folders of this name hold what the tool itself put aside.
constexpr const char* kOwnFolderName = "Dravolin";
// What makes a file a program for the running-program search.
constexpr const char* kProgramExtension = ".exe";
constexpr const char* kEngineLinePrefix = "VLREC: ";
constexpr const char* kLineEnd = "\r\n";

bool StartsWithLetter(const PathBuffer& path) {
    char c = path.Text()[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool EntersSubfolders(WalkMode mode) {
    return mode == WALK_MOVE_ALL || mode == WALK_MOVE_STARTUP;
}

class Walker {
  public:
    Walker(SweepContext& context, WalkMode mode, WindowSearch* search)
        : context_(context), mode_(mode), search_(search) {}

    // Modes that need a fact of the machine learn it once per walk.
    void Prepare() {
        if (mode_ == WALK_RELOCATE_ENGINE) {
            std::size_t length =
                context_.files.SystemFolder(systemFolder_.Chars(), kPathBufferSize);
            if (length == 0) systemFolder_.Assign("");
            AdjustTrailingBackslash(context_.text, systemFolder_, false);
        }
        if (mode_ == WALK_FIND_RUNNING) {
            if (context_.files.ModuleFileName(ownProgram_.Chars(), kPathBufferSize) == 0)
                ownProgram_.Assign("");
        }
    }

    // Answers the count; `stop` is set at the first window found.
    int Walk(PathBuffer& source, PathBuffer& destination) {
        if (!StartsWithLetter(source) || !StartsWithLetter(destination)) return 0;
        AdjustTrailingBackslash(context_.text, source, false);
        AdjustTrailingBackslash(context_.text, destination, false);
        if (EntersSubfolders(mode_)) context_.files.CreateFolder(destination.Text());

        FolderListing listing(context_.files, source);
        int count = 0;
        platform::FindEntry entry;
        while (!stop_ && listing.Next(entry)) {
            if (entry.IsFolder())
                count += Subfolder(source, destination, entry.name);
            else
                count += File(source, destination, entry.name);
        }
        return count;
    }

    bool Found() const { return stop_; }

  private:
    int Subfolder(const PathBuffer& source, const PathBuffer& destination, const char* name) {
        if (NameContains(context_.text, name, kOwnFolderName) || IsDotEntry(name) || !EntersSubfolders(mode_))
            return 0;
        PathBuffer from, to;
        if (!from.Join(source, name) || !to.Join(destination, name)) return 0;
        return Walk(from, to);
    }

    int File(const PathBuffer& source, const PathBuffer& destination, const char* name) {
        switch (mode_) {
            case WALK_MOVE_ALL:
                return MoveOne(source, destination, name);
            case WALK_MOVE_STARTUP:
                return ForEachEntryIn(context_.text, StartupFragments, name,
                                      [&] { return MoveOne(source, destination, name); });
            case WALK_RELOCATE_ENGINE:
                return ForEachEntryIn(context_.text, EngineLibraries, name,
                                      [&] { return Relocate(source, destination, name); });
            case WALK_LIST_ENGINE:
                return ForEachEntryIn(context_.text, EngineLibraries, name, [&] {
                    context_.report.AppendLine({kEngineLinePrefix, name, kLineEnd});
                    return 1;
                });
            case WALK_FIND_RUNNING:
                return FindRunning(name);
        }
        return 0;
    }

    int MoveOne(const PathBuffer& source, const PathBuffer& destination, const char* name) {
        PathBuffer from, to;
        if (!from.Join(source, name) || !to.Join(destination, name)) return 0;
        return MoveKeepingAttributes(context_.files, from, to) ? 1 : 0;
    }

    int Relocate(const PathBuffer& source, const PathBuffer& destination, const char* name) {
        PathBuffer from, systemCopy, to;
        if (!from.Join(source, name)) return 0;
        if (systemFolder_.Empty() || !systemCopy.Join(systemFolder_, name)) systemCopy.Assign("");
        if (!to.Join(destination, name)) to.Assign("");
        return RelocateKeepingAttributes(context_.files, context_.text, from, systemCopy, to, destination);
    }

    int FindRunning(const char* name) {
        if (search_ == nullptr || !NameContains(context_.text, name, kProgramExtension)) return 0;
        if (NameContains(context_.text, ownProgram_.Text(), name)) return 0;  // the tool itself
        if (FindWindowOfModule(context_.desktop, context_.files, context_.text, *search_, name) == 0) return 0;
        stop_ = true;
        return 1;
    }

    SweepContext& context_;
    WalkMode mode_;
    WindowSearch* search_;
    PathBuffer systemFolder_;
    PathBuffer ownProgram_;
    bool stop_ = false;
};

}  // namespace

int WalkFolder(SweepContext& context, PathBuffer& source, PathBuffer& destination, WalkMode mode,
               WindowSearch* search) {
    if (mode < WALK_MOVE_ALL || mode > WALK_FIND_RUNNING) return 0;
    if (mode == WALK_FIND_RUNNING && search != nullptr) search->foundWindow = platform::WindowId();
    Walker walker(context, mode, search);
    walker.Prepare();
    return walker.Walk(source, destination);
}

}  // namespace sweep
