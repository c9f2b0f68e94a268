// The shell's case-insensitive substring search, StrStrIA, for the test that
// holds the catalogue's own matching rule against it.
#pragma once

namespace platform::win32 {

// Whether `sought` occurs in `searched` by StrStrIA; false when shlwapi.dll or
// the function is missing (`available` then says so).
bool ShellFindsText(const char* searched, const char* sought, bool* available = nullptr);

}  // namespace platform::win32
