// The file actions of the walker. Each leaves a file, wherever it ends up,
// with the attributes it had, and whole: so does an action that fails, and
// one that is cut off at any moment by the end of the process.
#pragma once

#include "platform/file_system.h"
#include "sweep/path_buffer.h"

namespace sweep {

// The name under which an engine library is copied before it is renamed to
// its own, in the folder of the copy.
inline constexpr const char* kCopyScratchFile = "VLCOPY.TMP";

// Deletes a scratch file of the tool's own, whatever its attributes; true
// when no file of that name is left.
bool DeleteScratchFile(platform::FileSystem& files, const PathBuffer& scratch);

// Moves a file, keeping its attributes. True when it moved.
bool MoveKeepingAttributes(platform::FileSystem& files, const PathBuffer& from,
                           const PathBuffer& to);

// Relocates an engine library: copies it to `systemCopy` without overwriting,
// moves it to `destination` (in `destinationFolder`), and, when it did not
// move, deletes it from `source` if it was copied now or a file of its name
// stands in the Dravolin folder, or in the system folder while there is no
// Dravolin folder. An empty `systemCopy` or `destination` (a path that did
// not fit) is not tried. Answers successful copies plus successful moves. A
// library that stays gets its attributes back.
int RelocateKeepingAttributes(platform::FileSystem& files, const platform::AnsiText& text,
                              const PathBuffer& source,
                              const PathBuffer& systemCopy, const PathBuffer& destination,
                              const PathBuffer& destinationFolder);

}  // namespace sweep
