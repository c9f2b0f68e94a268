// The emulated desktop: window ids are 1-based positions in the window list.
#include "platform/emulated/emulated_desktop.h"

#include "platform/emulated/copy_text.h"

namespace platform::emulated {
namespace {
// Guards the walk up the owner chain against a loop in a hand-made machine.
constexpr std::size_t kMaxOwnerChain = 64;
}  // namespace

WindowId EmulatedDesktop::AddWindow(EmulatedWindow window) {
    windows_.push_back(std::move(window));
    return WindowId(windows_.size());
}

const EmulatedWindow* EmulatedDesktop::Get(WindowId window) const {
    if (window.IsNull() || window.Value() > windows_.size()) return nullptr;
    return &windows_[window.Value() - 1];
}

bool EmulatedDesktop::EnumerateTopLevelWindows(WindowVisitor& visitor) {
    if (enumerationFails_) return false;
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i].child) continue;
        if (!visitor.Visit(WindowId(i + 1))) return false;
    }
    return true;
}

std::size_t EmulatedDesktop::WindowModuleFileName(WindowId window, char* buffer, std::size_t size) {
    const EmulatedWindow* found = Get(window);
    if (found == nullptr || (!found->ownProcess && !namesForeignWindows_))
        return CopyText({}, buffer, size);
    return CopyText(found->modulePath, buffer, size);
}

std::size_t EmulatedDesktop::WindowProcessImage(WindowId window, char* buffer, std::size_t size) {
    const EmulatedWindow* found = Get(window);
    return CopyText(found ? found->processImage : std::string(), buffer, size);
}

std::size_t EmulatedDesktop::WindowText(WindowId window, char* buffer, std::size_t size) {
    const EmulatedWindow* found = Get(window);
    if (buffer == nullptr || size == 0) return 0;
    std::string_view text = found ? std::string_view(found->text) : std::string_view();
    return CopyText(text.substr(0, size - 1), buffer, size);
}

WindowId EmulatedDesktop::Parent(WindowId window) {
    const EmulatedWindow* found = Get(window);
    return found ? found->parent : WindowId();
}

WindowId EmulatedDesktop::RootOwner(WindowId window) {
    if (Get(window) == nullptr) return WindowId();
    for (std::size_t step = 0; step < kMaxOwnerChain; ++step) {
        WindowId up = Parent(window);
        if (up.IsNull() || Get(up) == nullptr) break;
        window = up;
    }
    return window;
}

}  // namespace platform::emulated
