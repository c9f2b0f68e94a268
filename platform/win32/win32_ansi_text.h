// Text in the running system's ANSI code page: its lead bytes by
// IsDBCSLeadByte, and the search by the shell's StrStrIA. Both are looked up
// at run time: shlwapi.dll may be missing or too old, and Windows 95 lists
// neither among the calls the program may import. Without StrStrIA the same
// search is made by characters, each folded by CharLowerA (which every
// Windows has), pairing letters as the system's code page does; without
// IsDBCSLeadByte every character is one byte.
#pragma once

#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/win32/unique_handles.h"

namespace platform::win32 {

class Win32AnsiText final : public AnsiText {
  public:
    // kAvoid searches by characters even where the shell has StrStrIA, so
    // tests can hold that search against the shell's.
    enum class ShellSearch { kUse, kAvoid };
    explicit Win32AnsiText(ShellSearch shell = ShellSearch::kUse);

    bool IsLeadByte(unsigned char byte) const override;
    bool Contains(const char* searched, const char* sought) const override;
    bool HasShellSearch() const { return strStrI_ != nullptr; }

  private:
    using IsLeadByteFunction = BOOL(WINAPI*)(BYTE);
    using StrStrIFunction = LPSTR(WINAPI*)(LPCSTR, LPCSTR);
    using CharLowerFunction = LPSTR(WINAPI*)(LPSTR);

    UniqueLibrary shell_;
    IsLeadByteFunction isLeadByte_ = nullptr;
    StrStrIFunction strStrI_ = nullptr;
    CharLowerFunction charLower_ = nullptr;
};

}  // namespace platform::win32
