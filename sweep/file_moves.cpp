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
                              const PathBuffer& systemCopy, const PathBuffer& destination) {
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
    // Still beside the program: it goes only when a file of its name stands
    // in the system folder or in the Dravolin folder, copied now or before.
    bool keptElsewhere = copied || HoldsFile(files, systemCopy) || HoldsFile(files, destination);
    if (!keptElsewhere || !files.Delete(source.Text())) GiveBack(files, source, attributes);
    return count;
}

}  // namespace sweep
