// The native view of 64-bit Windows for the tests' own seeding, pictures and
// resets: a generated machine of 64-bit Windows is written and compared as it
// lies on the disk and in the native registry, where each view's places have
// names of their own, so a thing moved into the other view shows. The calls
// are looked up here, apart from the backend under test, whose native view is
// what the tests check. On 32-bit Windows everything here is the one view.
#pragma once

#include <windows.h>

#include <string>

namespace winetest {

// True when this 32-bit program runs on 64-bit Windows.
bool UnderWow64();

// The flag that opens and creates keys in the native view, or none.
REGSAM NativeKeyFlag();

// Deletes a key that has no subkeys, in the native view.
LONG DeleteNativeKey(HKEY root, const std::string& path);

// Where this program's system folder lies on the disk (SysWOW64) on 64-bit
// Windows; empty elsewhere.
std::string Wow64SystemFolder();

// Turns file-system redirection off for this thread while it lives, so that
// paths name the folders as they lie on the disk.
class NativeFiles {
  public:
    NativeFiles();
    ~NativeFiles();
    NativeFiles(const NativeFiles&) = delete;
    NativeFiles& operator=(const NativeFiles&) = delete;

  private:
    PVOID previous_ = nullptr;
    bool turnedOff_ = false;
};

}  // namespace winetest
