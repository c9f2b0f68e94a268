// The running-program guard: a program of the tool's folder with a window
// open stops every sweep command and is named in the status box.
#include "app/running_program_guard.h"

#include <doctest/doctest.h>

#include <string>

#include "tests/unit/sweep/sweep_machine.h"

using platform::emulated::EmulatedWindow;

namespace {

constexpr const char* kAlreadyOpen = "is already open.\r\n\r\nPlease close ALL programs.";
constexpr const char* kWelcome = "WELCOME";

std::string InProgramFolder(const char* name) { return std::string(test::kProgramFolder) + "\\" + name; }

struct Guarded {
    bool running;
    std::string status;
    sweep::WindowSearch search;
};

Guarded RunGuard(test::SweepMachine& m) {
    Guarded g;
    g.running = app::CheckRunningPrograms(m.context, g.search, kAlreadyOpen, kWelcome, g.status);
    return g;
}

}  // namespace

TEST_CASE("the guard names a running program of the tool's folder by its window") {
    test::SweepMachine m(platform::PLATFORM_NT);
    m.files.AddFile(InProgramFolder("Helper.exe"), "MZ");
    m.files.AddFile(InProgramFolder("readme.txt"), "text");

    SUBCASE("nothing of the folder runs: the welcome text") {
        m.desktop.AddWindow({"C:\\WINDOWS\\explorer.exe", "C:\\WINDOWS\\explorer.exe", "Desktop", {}, false, false});
        const Guarded g = RunGuard(m);
        CHECK_FALSE(g.running);
        CHECK(g.status == kWelcome);
    }
    SUBCASE("a window of another process is found through its process image") {
        m.desktop.AddWindow({InProgramFolder("Helper.exe"), InProgramFolder("Helper.exe"), "Velmo Helper", {}, false, false});
        const Guarded g = RunGuard(m);
        CHECK(g.running);
        CHECK(g.status == "Velmo Helper\r\nHelper.exe  " + std::string(kAlreadyOpen) + "\r\n\r\n");
        CHECK(std::string(g.search.searchedModuleName) == "Helper.exe");
    }
    SUBCASE("a window without text takes its owner's text") {
        const auto owner = m.desktop.AddWindow({"C:\\x\\other.exe", "C:\\x\\other.exe", "Owner Title", {}, false, false});
        m.desktop.AddWindow({InProgramFolder("Helper.exe"), InProgramFolder("Helper.exe"), "", owner, false, false});
        const Guarded g = RunGuard(m);
        CHECK(g.running);
        CHECK(g.status.rfind("Owner Title\r\nHelper.exe  ", 0) == 0);
    }
    SUBCASE("without any title the first line stays empty") {
        m.desktop.AddWindow({InProgramFolder("Helper.exe"), InProgramFolder("Helper.exe"), "", {}, false, false});
        const Guarded g = RunGuard(m);
        CHECK(g.running);
        CHECK(g.status.rfind("\r\nHelper.exe  is already open.", 0) == 0);
    }
    SUBCASE("the tool's own window is no reason to stop") {
        m.desktop.AddWindow({InProgramFolder("Dravolin.exe"), InProgramFolder("Dravolin.exe"), "VELMO Dravolin 3.0 EN", {}, false, true});
        CHECK_FALSE(RunGuard(m).running);
    }
}

TEST_CASE("the guard's message holds a 259-character title and file name whole") {
    const std::string title(259, 'T');
    const std::string name = std::string(255 - 4 - std::string(test::kProgramFolder).size(), 'n') + ".exe";
    const std::string message = app::ComposeRunningProgramMessage(title, name, kAlreadyOpen);
    CHECK(message == title + "\r\n" + name + "  " + kAlreadyOpen + "\r\n\r\n");

    test::SweepMachine m(platform::PLATFORM_9X);
    REQUIRE(m.files.AddFile(InProgramFolder(name.c_str()), "MZ"));
    m.desktop.AddWindow({InProgramFolder(name.c_str()), InProgramFolder(name.c_str()), title + "cut", {}, false, true});
    const Guarded g = RunGuard(m);
    CHECK(g.running);
    // The title is read up to 259 characters; nothing else is cut.
    CHECK(g.status == message);
}
