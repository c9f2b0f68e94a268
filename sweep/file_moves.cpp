// Moves, copies and deletes with the attribute handling around them.
#include "sweep/file_moves.h"

namespace sweep {
namespace {

using platform::FileSystem;

// Gives a file its attributes back. A second try covers a passing failure;
// a file left with cleared attributes would be harmless but changed.
void GiveBack(FileSystem& files, const PathBuffer& path, std::uint32_t attributes) {
    if (!files.SetAttributes(path.Text(), attributes)) files.SetAttributes(path.Text(), attributes);
}

bool HoldsFile(FileSystem& files, const PathBuffer& path) {
    if (path.Empty()) return false;
    std::uint32_t attributes = files.GetAttributes(path.Text());
    return attributes != platform::kInvalidAttributes &&
           (attributes & platform::kAttributeFolder) == 0;
}

// True only when the platform says the path does not exist at all.
bool IsMissing(FileSystem& files, const PathBuffer& path) {
    return path.Empty() || files.GetAttributes(path.Text()) == platform::kInvalidAttributes;
}

// Copies `source` to `target` unless a file of that name is there. The copy
// is made under the scratch name beside the target and renamed into place
// once whole: a copy cut off half-way (a process ended, the power gone)
// never stands under the library's own name, where no later sweep would
// replace it. What such a cut left under the scratch name goes first.
bool CopyWhole(FileSystem& files, const platform::AnsiText& text, const PathBuffer& source,
               const PathBuffer& target, std::uint32_t attributes) {
    PathBuffer scratch;
    const std::size_t folderEnd = LastBackslash(text, target.Text());
    if (folderEnd == std::string_view::npos ||
        !scratch.Assign(target.View().substr(0, folderEnd)) || !scratch.Append("\\") ||
        !scratch.Append(kCopyScratchFile)) {
        return false;
    }
    if (!IsMissing(files, target) || !DeleteScratchFile(files, scratch)) return false;
    if (!files.CopyNoOverwrite(source.Text(), scratch.Text())) return false;
    if (!files.Move(scratch.Text(), target.Text())) {
        DeleteScratchFile(files, scratch);
        return false;
    }
    // The platform's copy carries the attributes over; given once more in
    // case a platform leaves some out.
    GiveBack(files, target, attributes);
    return true;
}

}  // namespace

bool DeleteScratchFile(FileSystem& files, const PathBuffer& scratch) {
    if (IsMissing(files, scratch)) return true;
    files.SetAttributes(scratch.Text(), platform::kAttributeNormal);
    return files.Delete(scratch.Text());
}

// A rename keeps a file's attributes on every system the tool runs on, so
// they are left as they are: cleared for the move, a cut before they were
// given back would leave the file changed with no sweep to mend it.
bool MoveKeepingAttributes(FileSystem& files, const PathBuffer& from, const PathBuffer& to) {
    return files.Move(from.Text(), to.Text());
}

int RelocateKeepingAttributes(FileSystem& files, const platform::AnsiText& text,
                              const PathBuffer& source,
                              const PathBuffer& systemCopy, const PathBuffer& destination,
                              const PathBuffer& destinationFolder) {
    std::uint32_t attributes = files.GetAttributes(source.Text());
    if (attributes == platform::kInvalidAttributes) return 0;

    int count = 0;
    bool copied = false;
    if (!systemCopy.Empty() && CopyWhole(files, text, source, systemCopy, attributes)) {
        copied = true;
        ++count;
    }
    if (!destination.Empty() && files.Move(source.Text(), destination.Text())) return count + 1;
    // Still beside the program. It goes when a file of its name stands in the
    // Dravolin folder, or in the system folder, copied now or before. An
    // earlier file of the system folder is enough only where there is no
    // Dravolin folder to hold this one: where there is one, the move failed,
    // and deleting would lose the only copy of this version.
    bool keptElsewhere = copied || HoldsFile(files, destination) ||
                         (HoldsFile(files, systemCopy) && IsMissing(files, destinationFolder));
    if (!keptElsewhere) return count;
    // Only the read-only bit stands in the way of a delete; the others stay
    // whatever happens next.
    const bool readOnly = (attributes & platform::kAttributeReadOnly) != 0;
    if (readOnly) files.SetAttributes(source.Text(), attributes & ~platform::kAttributeReadOnly);
    if (!files.Delete(source.Text()) && readOnly) GiveBack(files, source, attributes);
    return count;
}

}  // namespace sweep
