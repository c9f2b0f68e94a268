// A program that shows one titled top-level window until the named event in
// its first argument is set (or half a minute has passed), so that a test can
// look for a running program of a folder.
#include <windows.h>

namespace {
constexpr DWORD kMaxLifeMs = 30000;
constexpr DWORD kPollMs = 20;
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    HANDLE stop = ::OpenEventA(SYNCHRONIZE, FALSE, argv[1]);
    HWND window =
        ::CreateWindowExA(0, "STATIC", argv[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 80,
                          nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) return 3;
    for (DWORD waited = 0; waited < kMaxLifeMs; waited += kPollMs) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
        if (stop != nullptr && ::WaitForSingleObject(stop, kPollMs) == WAIT_OBJECT_0) break;
        if (stop == nullptr) ::Sleep(kPollMs);
    }
    ::DestroyWindow(window);
    if (stop != nullptr) ::CloseHandle(stop);
    return 0;
}
