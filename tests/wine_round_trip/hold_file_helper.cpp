// A program that holds a file open without sharing, the way another program
// that uses it would, until a test lets it go: it opens the file in its first
// argument, sets the named event in its second, and waits for the named event
// in its third (or a minute at most).
#include <windows.h>

#include "platform/win32/unique_handles.h"

namespace {

constexpr DWORD kMaxLifeMs = 60000;
constexpr int kUsage = 2;
constexpr int kCannotOpen = 3;
constexpr int kNoEvents = 4;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return kUsage;
    using platform::win32::UniqueKernelObject;
    UniqueKernelObject ready(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
    UniqueKernelObject release(::OpenEventA(SYNCHRONIZE, FALSE, argv[3]));
    if (!ready.Valid() || !release.Valid()) return kNoEvents;
    HANDLE file = ::CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return kCannotOpen;
    UniqueKernelObject held(file);
    ::SetEvent(ready.Get());
    ::WaitForSingleObject(release.Get(), kMaxLifeMs);
    return 0;
}
