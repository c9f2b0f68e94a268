// The program file of the process that owns a window. Where the system can
// name only its own windows' modules, this is how another program's window
// is recognised. psapi.dll (NT family, where installed) is asked first, the
// tool-help snapshot (Windows 9x, 2000 and later) second; both are looked up
// at run time, since neither Windows 95 nor NT 4.0 need have them.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/win32/unique_handles.h"

namespace platform::win32 {

class ProcessImageReader {
  public:
    // kSkip leaves psapi.dll unasked even where it is installed, so tests can
    // prove the snapshot that answers alone on the 9x family.
    enum class Psapi { kAsk, kSkip };
    explicit ProcessImageReader(Psapi psapi = Psapi::kAsk);
    ProcessImageReader(const ProcessImageReader&) = delete;
    ProcessImageReader& operator=(const ProcessImageReader&) = delete;

    // Length of the program file's path, or 0 (empty text) when it cannot be
    // had or does not fit `size` bytes.
    std::size_t ImageOf(HWND window, char* buffer, std::size_t size) const;

  private:
    using GetModuleFileNameExFunction = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

    std::size_t FromPsapi(DWORD processId, char* buffer, std::size_t size) const;
    std::size_t FromSnapshot(DWORD processId, char* buffer, std::size_t size) const;

    UniqueLibrary psapi_;
    GetModuleFileNameExFunction getModuleFileNameEx_ = nullptr;
};

}  // namespace platform::win32
