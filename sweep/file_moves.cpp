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

}  // namespace

bool MoveKeepingAttributes(FileSystem& files, const PathBuffer& from, const PathBuffer& to) {
    std::uint32_t attributes = files.GetAttributes(from.Text());
    if (attributes == platform::kInvalidAttributes) return false;
    files.SetAttributes(from.Text(), platform::kAttributeNormal);
    if (!files.Move(from.Text(), to.Text())) {
        GiveBack(files, from, attributes);
        return false;
    }
    GiveBack(files, to, attributes);
    return true;
}

int RelocateKeepingAttributes(FileSystem& files, const PathBuffer& source,
                              const PathBuffer& systemCopy, const PathBuffer& destination,
                              const PathBuffer& destinationFolder) {
    std::uint32_t attributes = files.GetAttributes(source.Text());
    if (attributes == platform::kInvalidAttributes) return 0;
    files.SetAttributes(source.Text(), platform::kAttributeNormal);

    int count = 0;
    bool copied = false;
    if (!systemCopy.Empty() && files.CopyNoOverwrite(source.Text(), systemCopy.Text())) {
        copied = true;
        ++count;
        GiveBack(files, systemCopy, attributes);
    }
    if (!destination.Empty() && files.Move(source.Text(), destination.Text())) {
        ++count;
        GiveBack(files, destination, attributes);
        return count;
    }
    // Still beside the program. It goes when a file of its name stands in the
    // Dravolin folder, or in the system folder, copied now or before. An
    // earlier file of the system folder is enough only where there is no
    // Dravolin folder to hold this one: where there is one, the move failed,
    // and deleting would lose the only copy of this version.
    bool keptElsewhere = copied || HoldsFile(files, destination) ||
                         (HoldsFile(files, systemCopy) && IsMissing(files, destinationFolder));
    if (!keptElsewhere || !files.Delete(source.Text())) GiveBack(files, source, attributes);
    return count;
}

}  // namespace sweep
