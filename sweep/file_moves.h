// The file actions of the walker. Each clears a file's attributes before it
// acts (a read-only file cannot be deleted or overwritten) and gives them back
// to wherever the file ends up, so an action that fails leaves the file as it
// was, in its place and with its attributes.
#pragma once

#include "platform/file_system.h"
#include "sweep/path_buffer.h"

namespace sweep {

// Moves a file, keeping its attributes. True when it moved. A file whose
// attributes cannot be read is left alone: they could not be given back.
bool MoveKeepingAttributes(platform::FileSystem& files, const PathBuffer& from,
                           const PathBuffer& to);

// Relocates an engine library: copies it to `systemCopy` without overwriting,
// moves it to `destination` (in `destinationFolder`), and, when it did not
// move, deletes it from `source` if it was copied now or a file of its name
// stands in the Dravolin folder, or in the system folder while there is no
// Dravolin folder. An empty `systemCopy` or `destination` (a path that did
// not fit) is not tried. Answers successful copies plus successful moves. A
// library that stays gets its attributes back.
int RelocateKeepingAttributes(platform::FileSystem& files, const PathBuffer& source,
                              const PathBuffer& systemCopy, const PathBuffer& destination,
                              const PathBuffer& destinationFolder);

}  // namespace sweep
