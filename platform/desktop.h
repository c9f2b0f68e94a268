// The desktop side of the platform seam: the top-level windows and what can
// be learnt about each of them. A window is an opaque value here; only the
// backend knows what it stands for.
//
// Error contract: no call throws or shows anything. Calls that fill a buffer
// answer the text's length without the terminator and always leave a
// terminated text within `size` bytes; on failure they answer 0 with an
// empty text (when the buffer has room for one).
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

class WindowId {
  public:
    constexpr WindowId() = default;
    constexpr explicit WindowId(std::uintptr_t value) : value_(value) {}

    constexpr std::uintptr_t Value() const { return value_; }
    constexpr bool IsNull() const { return value_ == 0; }
    friend constexpr bool operator==(WindowId, WindowId) = default;

  private:
    std::uintptr_t value_ = 0;
};

// Sees the windows of one enumeration, one call per window.
class WindowVisitor {
  public:
    // Answers false to end the enumeration at this window.
    virtual bool Visit(WindowId window) = 0;

  protected:
    ~WindowVisitor() = default;
};

class Desktop {
  public:
    Desktop() = default;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    virtual ~Desktop() = default;

    // Visits every top-level window in the platform's order until the visitor
    // answers false. False when the enumeration could not run or was ended.
    virtual bool EnumerateTopLevelWindows(WindowVisitor& visitor) = 0;

    // The file of the module that created the window. On the NT family (and
    // under Wine on every version) only windows of the calling process are
    // named: a window of another program answers 0.
    virtual std::size_t WindowModuleFileName(WindowId window, char* buffer, std::size_t size) = 0;

    // The program file of the process that owns the window, the way to a
    // name where WindowModuleFileName answers nothing. 0 when the process
    // cannot be opened or the system offers no way to ask.
    virtual std::size_t WindowProcessImage(WindowId window, char* buffer, std::size_t size) = 0;

    // The window's text, cut to `size` - 1 characters like the platform cuts
    // it (a title is only shown). Paths above are never cut: a path that does
    // not fit answers 0, and so may one that fills the buffer exactly, where
    // the platform cannot tell a cut path from a whole one.
    virtual std::size_t WindowText(WindowId window, char* buffer, std::size_t size) = 0;

    // The parent of a child window or the owner of a top-level window; null
    // when there is none.
    virtual WindowId Parent(WindowId window) = 0;

    // The end of the chain of parents and owners; the window itself when it
    // has neither.
    virtual WindowId RootOwner(WindowId window) = 0;
};

}  // namespace platform
