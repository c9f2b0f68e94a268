// An emulated desktop: top-level and child windows with the module that made
// each, the program file of its process, its text and its parent or owner.
// Like Windows NT (and Wine on every version), it names the module of a
// window only for windows of the calling process unless told otherwise.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace platform::emulated {

struct EmulatedWindow {
    std::string modulePath;    // the module that created the window
    std::string processImage;  // the program file of its process; empty: unreadable
    std::string text;
    WindowId parent;          // parent of a child, owner of a top-level window
    bool child = false;       // child windows are not top-level
    bool ownProcess = false;  // made by the calling process
};

class EmulatedDesktop : public Desktop {
  public:
    // Windows are enumerated in the order they were added.
    WindowId AddWindow(EmulatedWindow window);
    // True where GetWindowModuleFileNameA also names other programs' windows.
    void SetNamesForeignWindows(bool names) { namesForeignWindows_ = names; }
    bool NamesForeignWindows() const { return namesForeignWindows_; }
    const std::vector<EmulatedWindow>& Windows() const { return windows_; }
    // Makes the enumeration itself fail.
    void SetEnumerationFails(bool fails) { enumerationFails_ = fails; }

    bool EnumerateTopLevelWindows(WindowVisitor& visitor) override;
    std::size_t WindowModuleFileName(WindowId window, char* buffer, std::size_t size) override;
    std::size_t WindowProcessImage(WindowId window, char* buffer, std::size_t size) override;
    std::size_t WindowText(WindowId window, char* buffer, std::size_t size) override;
    WindowId Parent(WindowId window) override;
    WindowId RootOwner(WindowId window) override;

  private:
    const EmulatedWindow* Get(WindowId window) const;

    std::vector<EmulatedWindow> windows_;
    bool namesForeignWindows_ = false;
    bool enumerationFails_ = false;
};

}  // namespace platform::emulated
