// The search for a running program of the tool's folder by its windows.
#include "sweep/window_search.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>

#include "sweep/walk_folder.h"
#include "tests/unit/sweep/file_machine.h"

namespace {

using filetest::FileMachine;
using filetest::kProgram;
using filetest::kProgramFolder;
using platform::WindowId;
using platform::emulated::EmulatedWindow;

EmulatedWindow Foreign(const std::string& image, const std::string& text = "a window") {
    EmulatedWindow window;
    window.modulePath = image;
    window.processImage = image;
    window.text = text;
    return window;
}

int FindRunning(FileMachine& m, sweep::WindowSearch& search, const char* folder = kProgramFolder) {
    sweep::PathBuffer source, destination;
    source.Assign(folder);
    destination.Assign(folder);
    return sweep::WalkFolder(m.context, source, destination, sweep::WALK_FIND_RUNNING, &search);
}

}  // namespace

TEST_CASE("a window is matched by its module path, or its process image where that is not named") {
    struct Case {
        const char* name;
        bool namesForeign;   // as Windows 98 does
        bool imageReadable;  // the process could be opened
        bool found;
    };
    const Case cases[] = {
        {"module named", true, false, true},
        {"module not named, image read", false, true, true},
        {"neither", false, false, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        FileMachine m;
        m.Add("C:\\Other\\myapp.exe", "MZ");
        m.desktop.SetNamesForeignWindows(c.namesForeign);
        EmulatedWindow window = Foreign("C:\\Other\\myapp.exe");
        if (!c.imageReadable) window.processImage.clear();
        m.desktop.AddWindow(Foreign("C:\\Other\\unrelated.exe"));
        WindowId id = m.desktop.AddWindow(window);
        sweep::WindowSearch search;
        // "app.exe" matches a window of myapp.exe: the search is a substring test.
        CHECK(sweep::FindWindowOfModule(m.desktop, m.files, m.text, search, "APP.EXE") == c.found);
        CHECK(search.foundWindow == (c.found ? id : WindowId()));
        CHECK(std::strcmp(search.searchedModuleName, "APP.EXE") == 0);
    }
}

TEST_CASE("a window whose path or long form cannot be read never matches on an earlier name") {
    FileMachine m;
    m.Add("C:\\Other\\tool.exe", "MZ");
    m.desktop.AddWindow(Foreign(""));                    // nothing readable
    m.desktop.AddWindow(Foreign("C:\\Gone\\tool.exe"));  // long form fails: no such file
    WindowId real = m.desktop.AddWindow(Foreign("C:\\Other\\tool.exe"));
    sweep::WindowSearch search;
    CHECK(sweep::FindWindowOfModule(m.desktop, m.files, m.text, search, "tool.exe") == 1);
    CHECK(search.foundWindow == real);
    // A later search for a name no window has finds nothing, whatever the
    // earlier search left behind.
    CHECK(sweep::FindWindowOfModule(m.desktop, m.files, m.text, search, "other.exe") == 0);
    CHECK(search.foundWindow.IsNull());
    m.desktop.SetEnumerationFails(true);
    CHECK(sweep::FindWindowOfModule(m.desktop, m.files, m.text, search, "tool.exe") == 0);
}

TEST_CASE("the running-program walk looks at the folder's programs, not at the tool itself") {
    FileMachine m;
    std::string folder = kProgramFolder;
    m.desktop.AddWindow(Foreign(kProgram, "Dravolin"));  // the tool's own window
    m.Add(folder + "\\readme.txt", "r");
    m.Add(folder + "\\Sub\\other.exe", "MZ");
    m.desktop.AddWindow(Foreign(folder + "\\Sub\\other.exe"));
    sweep::WindowSearch search;
    CHECK(FindRunning(m, search) == 0);
    CHECK(search.foundWindow.IsNull());

    // A backup copy's name still holds ".exe": it is a candidate.
    m.Add(folder + "\\setup.exe.bak", "MZ");
    WindowId setup = m.desktop.AddWindow(Foreign(folder + "\\setup.exe.bak", "Setup"));
    m.Add(folder + "\\zz.exe", "MZ");
    m.desktop.AddWindow(Foreign(folder + "\\zz.exe"));
    CHECK(FindRunning(m, search) == 1);
    CHECK(search.foundWindow == setup);
    CHECK(std::strcmp(search.searchedModuleName, "setup.exe.bak") == 0);
}

TEST_CASE("the running-program walk does nothing on a path without a drive letter") {
    FileMachine m;
    sweep::WindowSearch search;
    CHECK(FindRunning(m, search, "\\\\server\\share\\Velmo") == 0);
    CHECK(FindRunning(m, search, "1:\\Velmo") == 0);
}
