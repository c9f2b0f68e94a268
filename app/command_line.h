// The part of a process's command line that WinMain receives. Pure, so the
// host tests can run it.
#pragma once

namespace app {

// The command line after the program's own name, as the C runtime's start
// hands it to WinMain: a name in double quotes ends after the closing quote,
// any other at the first blank, tab or control character, and those that
// follow the name are skipped too. Never null for a non-null line.
const char* CommandLineTail(const char* commandLine);

}  // namespace app
