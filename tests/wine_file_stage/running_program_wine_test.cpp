// The running-program search finding another program of a scratch folder by
// its window, where the platform will not name another process's module.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "sweep/report_buffer.h"
#include "sweep/sweep_context.h"
#include "sweep/walk_folder.h"
#include "tests/wine_file_stage/wine_scratch.h"

namespace {

constexpr const char* kScratch = "C:\\dravolin-wine-running";
constexpr const char* kHelperBuilt = "wine_window_helper.exe";
constexpr const char* kHelperName = "burner.exe";
constexpr const char* kStopEvent = "DravolinWineTestStopHelper";
constexpr const char* kHelperTitle = "Burner helper window";
constexpr DWORD kWindowWaitMs = 20000;
constexpr DWORD kPollMs = 50;

struct HelperProcess {
    PROCESS_INFORMATION info = {};
    HANDLE stop = nullptr;
    ~HelperProcess() {
        if (stop) ::SetEvent(stop);
        if (info.hProcess) {
            if (::WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0)
                ::TerminateProcess(info.hProcess, 1);
            ::CloseHandle(info.hProcess);
            ::CloseHandle(info.hThread);
        }
        if (stop) ::CloseHandle(stop);
    }
};

HWND WaitForHelperWindow() {
    for (DWORD waited = 0; waited < kWindowWaitMs; waited += kPollMs) {
        if (HWND window = ::FindWindowA(nullptr, kHelperTitle)) return window;
        ::Sleep(kPollMs);
    }
    return nullptr;
}

}  // namespace

TEST_CASE("a program of the folder that shows a window is found by the walker") {
    const std::string scratch = kScratch;
    winetest::RemoveTree(scratch);
    REQUIRE(::CreateDirectoryA(scratch.c_str(), nullptr));
    const std::string helper = scratch + "\\" + kHelperName;
    REQUIRE(::CopyFileA((winetest::OwnFolder() + kHelperBuilt).c_str(), helper.c_str(), FALSE));
    REQUIRE(winetest::WriteFile(scratch + "\\readme.txt", "not a program", 0));

    winetest::RealMachine machine;
    sweep::SweepContext& context = machine.context;
    sweep::WindowSearch search;

    sweep::PathBuffer source, destination;
    REQUIRE(source.Assign(scratch + "\\"));
    REQUIRE(destination.Assign(scratch + "\\"));
    CHECK(sweep::WalkFolder(context, source, destination, sweep::WALK_FIND_RUNNING, &search) == 0);

    {
        HelperProcess process;
        process.stop = ::CreateEventA(nullptr, TRUE, FALSE, kStopEvent);
        REQUIRE(process.stop != nullptr);
        std::string commandLine = "\"" + helper + "\" " + kStopEvent + " \"" + kHelperTitle + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        REQUIRE(::CreateProcessA(helper.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, scratch.c_str(), &startup, &process.info));
        HWND shown = WaitForHelperWindow();
        REQUIRE(shown != nullptr);

        char module[MAX_PATH];
        if (machine.desktop.WindowModuleFileName(platform::win32::Win32Desktop::IdOf(shown), module,
                                         sizeof(module)) == 0)
            MESSAGE("the platform does not name another process's window module here");

        REQUIRE(source.Assign(scratch));
        REQUIRE(destination.Assign(scratch));
        CHECK(sweep::WalkFolder(context, source, destination, sweep::WALK_FIND_RUNNING, &search) ==
              1);
        CHECK(std::strcmp(search.searchedModuleName, kHelperName) == 0);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(platform::win32::Win32Desktop::HandleOf(search.foundWindow),
                                   &owner);
        CHECK(owner == process.info.dwProcessId);
    }
    winetest::RemoveTree(scratch);
}
