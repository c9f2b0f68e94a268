// Finds a window by the program file that made it. Where the platform will not
// name another program's module (the NT family, and Wine on every version),
// the window's process image stands in, or the guard could never see a
// running program there.
#include "sweep/window_search.h"

#include <cstring>

#include "sweep/name_match.h"

namespace sweep {
namespace {

class ModuleMatcher : public platform::WindowVisitor {
  public:
    ModuleMatcher(platform::Desktop& desktop, platform::FileSystem& files,
                  const platform::AnsiText& text, WindowSearch& search)
        : desktop_(desktop), files_(files), text_(text), search_(search) {}
    bool Visit(platform::WindowId window) override {
        return MatchWindowModule(desktop_, files_, text_, search_, window);
    }

  private:
    platform::Desktop& desktop_;
    platform::FileSystem& files_;
    const platform::AnsiText& text_;
    WindowSearch& search_;
};

}  // namespace

int FindWindowOfModule(platform::Desktop& desktop, platform::FileSystem& files,
                       const platform::AnsiText& text, WindowSearch& search, const char* name) {
    std::size_t length = strnlen(name, kMaxPathLength);
    std::memcpy(search.searchedModuleName, name, length);
    search.searchedModuleName[length] = '\0';
    search.foundWindow = platform::WindowId();
    if (length == 0) return 0;
    ModuleMatcher matcher(desktop, files, text, search);
    desktop.EnumerateTopLevelWindows(matcher);
    return search.foundWindow.IsNull() ? 0 : 1;
}

bool MatchWindowModule(platform::Desktop& desktop, platform::FileSystem& files,
                       const platform::AnsiText& text, WindowSearch& search,
                       platform::WindowId window) {
    char module[kPathBufferSize];
    if (desktop.WindowModuleFileName(window, module, sizeof(module)) == 0 &&
        desktop.WindowProcessImage(window, module, sizeof(module)) == 0)
        return true;
    char longForm[kPathBufferSize];
    if (files.LongPathName(module, longForm, sizeof(longForm)) == 0) return true;
    if (!NameContains(text, longForm, search.searchedModuleName)) return true;
    search.foundWindow = window;
    return false;
}

}  // namespace sweep
