// 64-bit Windows runs this 32-bit program under its 32-bit layer, which shows
// the program a view of its own: the system folder is SysWOW64 (except a few
// subfolders) and HKLM\Software is HKLM\Software\Wow6432Node. Kernel drivers
// and 64-bit programs live in the other, native view. The backends reach it
// with calls that older systems lack, so every one is looked up at run time:
//  - IsWow64Process (XP SP2, Server 2003 SP1): whether there is a second view;
//  - Wow64DisableWow64FsRedirection and Wow64RevertWow64FsRedirection (every
//    64-bit Windows: XP x64, Server 2003 SP1 and later): the native files,
//    turned on around one operation and off again. The "Sysnative" alias is
//    not used, as XP x64 and Server 2003 lack it without a hotfix;
//  - RegDeleteKeyExA (every 64-bit Windows): deletes a key of the native
//    registry view; RegDeleteKeyA and the shell's key functions cannot reach
//    it. Opens and creates take KEY_WOW64_64KEY, which the 32-bit layer of
//    every 64-bit Windows knows.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Which view a backend works in. kProgram is what this program sees by
// default, the only view there is on 32-bit Windows and Windows 95 to Me.
enum class View { kProgram, kNative };

// KEY_WOW64_64KEY, not named by every header this builds with.
inline constexpr REGSAM kNativeRegistryView = 0x0100;

// The calls the native view needs, looked up once.
struct Wow64Calls {
    using DisableFunction = BOOL(WINAPI*)(PVOID*);
    using RevertFunction = BOOL(WINAPI*)(PVOID);
    using DeleteKeyFunction = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);

    bool underWow64 = false;
    DisableFunction disableRedirection = nullptr;
    RevertFunction revertRedirection = nullptr;
    DeleteKeyFunction deleteKeyEx = nullptr;
};
const Wow64Calls& Wow64();

// True when this program runs on 64-bit Windows and every call the native
// view needs is there. Where it is false the program has one view only.
bool HasNativeView();

// Turns file-system redirection off for this thread for its lifetime. Kept
// around single file operations: while it is off, a library loaded by the
// thread would come from the native folders and fail to load.
class NativeFilesScope {
  public:
    NativeFilesScope();
    ~NativeFilesScope();
    NativeFilesScope(const NativeFilesScope&) = delete;
    NativeFilesScope& operator=(const NativeFilesScope&) = delete;

  private:
    PVOID previous_ = nullptr;
    bool turnedOff_ = false;
};

}  // namespace platform::win32
