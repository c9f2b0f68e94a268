// Window enumeration and window facts through user32.
#include "platform/win32/win32_desktop.h"

#include "platform/win32/answer_text.h"
#include "platform/win32/unique_handles.h"

namespace platform::win32 {
namespace {

// GetAncestor's flag for the end of the parent and owner chain.
constexpr UINT kRootOwner = 3;
// Bounds the walk up the chain where GetAncestor is missing.
constexpr int kMaxOwnerChain = 64;

BOOL CALLBACK VisitWindow(HWND window, LPARAM visitor) {
    return reinterpret_cast<WindowVisitor*>(visitor)->Visit(Win32Desktop::IdOf(window)) ? TRUE
                                                                                        : FALSE;
}

}  // namespace

Win32Desktop::Win32Desktop(NewerFunctions newer)
    : processImages_(newer == NewerFunctions::kUse ? ProcessImageReader::Psapi::kAsk
                                                   : ProcessImageReader::Psapi::kSkip) {
    HMODULE user = ::GetModuleHandleA("user32.dll");
    getWindowModuleFileName_ =
        LookUp<GetWindowModuleFileNameFunction>(user, "GetWindowModuleFileNameA");
    if (newer == NewerFunctions::kUse)
        getAncestor_ = LookUp<GetAncestorFunction>(user, "GetAncestor");
}

HWND Win32Desktop::HandleOf(WindowId window) {
    return reinterpret_cast<HWND>(window.Value());
}

WindowId Win32Desktop::IdOf(HWND window) {
    return WindowId(reinterpret_cast<std::uintptr_t>(window));
}

bool Win32Desktop::EnumerateTopLevelWindows(WindowVisitor& visitor) {
    return ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visitor)) != FALSE;
}

std::size_t Win32Desktop::WindowModuleFileName(WindowId window, char* buffer, std::size_t size) {
    if (getWindowModuleFileName_ == nullptr) return Answer(0, buffer, size);
    UINT length = getWindowModuleFileName_(HandleOf(window), buffer, CallSize(size));
    return AnswerUncut(length, buffer, size);
}

std::size_t Win32Desktop::WindowProcessImage(WindowId window, char* buffer, std::size_t size) {
    return processImages_.ImageOf(HandleOf(window), buffer, size);
}

std::size_t Win32Desktop::WindowText(WindowId window, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return 0;
    buffer[0] = '\0';
    int length = ::GetWindowTextA(HandleOf(window), buffer, static_cast<int>(CallSize(size)));
    if (length <= 0) {
        buffer[0] = '\0';
        return 0;
    }
    buffer[static_cast<std::size_t>(length) < size ? length : size - 1] = '\0';
    return static_cast<std::size_t>(length) < size ? length : size - 1;
}

WindowId Win32Desktop::Parent(WindowId window) {
    return IdOf(::GetParent(HandleOf(window)));
}

WindowId Win32Desktop::RootOwner(WindowId window) {
    if (getAncestor_ != nullptr) return IdOf(getAncestor_(HandleOf(window), kRootOwner));
    // What GetAncestor does for the root owner: follow GetParent to its end.
    HWND at = HandleOf(window);
    if (!::IsWindow(at)) return WindowId();
    for (int step = 0; step < kMaxOwnerChain; ++step) {
        HWND up = ::GetParent(at);
        if (up == nullptr) break;
        at = up;
    }
    return IdOf(at);
}

}  // namespace platform::win32
