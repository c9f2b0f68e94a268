// The file and desktop half of a machine description, as a text manifest that
// a person can write and read. One item per line; blank lines and lines
// starting with '#' are ignored. Fields are separated by single blanks; a path
// is always the last field and runs to the end of the line, blanks included.
//
//   drive C fixed                       fixed|removable|remote|cdrom|ramdisk|unknown
//   windows-folder C:\WINDOWS
//   system-folder C:\WINDOWS\SYSTEM
//   module-file C:\Velmo\Dravolin.exe   the running program
//   current-folder C:\Velmo
//   names-foreign-windows no            yes on a 9x machine that names them
//   folder RH C:\Start Menu             attributes: '-' or letters of RHSA
//   file A open =abc%0D%0A C:\x\y.lnk   open|shut, then '=' and the contents
//   window top own 0 =C:\a.exe =C:\a.exe =Title%20text
//          top|child, own|foreign, parent or owner (line number among the
//          window lines, 1-based; 0 for none), module, process image, text
//
// Text after '=' is escaped: blanks, '%', control bytes and bytes from 0x7F
// up are written as %XX.
#pragma once

#include <string>
#include <string_view>

#include "platform/emulated/emulated_desktop.h"
#include "platform/emulated/emulated_file_system.h"

namespace platform::emulated {

// Adds the manifest's items to the machine. On a malformed line it stops and
// returns false with `error` naming the line.
bool LoadFileManifest(std::string_view text, EmulatedFileSystem& files, EmulatedDesktop& desktop,
                      std::string& error);

// Writes the whole file side of the machine; loading it into a fresh machine
// gives the same machine.
std::string SaveFileManifest(const EmulatedFileSystem& files, const EmulatedDesktop& desktop);

}  // namespace platform::emulated
