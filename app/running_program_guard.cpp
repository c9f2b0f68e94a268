// The running-program guard over the folder walker's window search.
#include "app/running_program_guard.h"

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "sweep/path_buffer.h"
#include "sweep/walk_folder.h"

namespace app {
namespace {

// The folder of the running program with its trailing backslash, or empty.
sweep::PathBuffer ProgramFolder(platform::FileSystem& files, const platform::AnsiText& text) {
    sweep::PathBuffer module, full;
    if (files.ModuleFileName(module.Chars(), sweep::kPathBufferSize) == 0) return {};
    if (files.FullPathName(module.Text(), full.Chars(), sweep::kPathBufferSize) == 0) return {};
    const std::string_view path = full.View();
    const auto lastBackslash = sweep::LastBackslash(text, full.Text());
    sweep::PathBuffer folder;
    if (lastBackslash == std::string_view::npos || !folder.Assign(path.substr(0, lastBackslash + 1))) {
        return {};
    }
    return folder;
}

std::string ReadTitle(platform::Desktop& desktop, platform::WindowId window) {
    char title[kMaxWindowTitleLength + 1] = {};
    desktop.WindowText(window, title, sizeof title);
    return title;
}

// The window's own text, else its parent's or owner's, else its root owner's.
std::string FindTitle(platform::Desktop& desktop, platform::WindowId window) {
    std::string title = ReadTitle(desktop, window);
    if (title.empty()) {
        const platform::WindowId parent = desktop.Parent(window);
        if (!parent.IsNull()) title = ReadTitle(desktop, parent);
    }
    if (title.empty()) title = ReadTitle(desktop, desktop.RootOwner(window));
    return title;
}

}  // namespace

std::string ComposeRunningProgramMessage(std::string_view title, std::string_view programName,
                                         std::string_view alreadyOpen) {
    std::string message;
    message.reserve(title.size() + programName.size() + alreadyOpen.size() + 8);
    message.append(title).append("\r\n");
    message.append(programName).append("  ").append(alreadyOpen).append("\r\n\r\n");
    return message;
}

bool CheckRunningPrograms(sweep::SweepContext& context, sweep::WindowSearch& search,
                          const char* alreadyOpenText, const char* welcomeText,
                          std::string& statusText) {
    sweep::PathBuffer source = ProgramFolder(context.files, context.text);
    sweep::PathBuffer destination = source;
    const bool found = !source.Empty() && sweep::WalkFolder(context, source, destination,
                                                            sweep::WALK_FIND_RUNNING, &search) != 0;
    if (!found) {
        statusText = welcomeText;
        return false;
    }
    statusText = ComposeRunningProgramMessage(FindTitle(context.desktop, search.foundWindow),
                                              search.searchedModuleName, alreadyOpenText);
    return true;
}

}  // namespace app
