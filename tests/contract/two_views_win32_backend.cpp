// The two-views suite's backend in the Windows build: the registry and files
// of the 64-bit Windows (or Wine prefix) it runs in, through both views.
#include <windows.h>

#include <string>

#include "platform/win32/unique_handles.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/wow64.h"
#include "tests/contract/two_views_backend.h"

namespace contract {
namespace {

using platform::win32::View;
using platform::win32::Win32FileSystem;
using platform::win32::Win32Registry;

std::string WindowsFolder() {
    char folder[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryA(folder, sizeof folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : "C:\\windows";
}

struct RealTwoViews {
    Win32Registry programRegistry{Win32Registry::ShellFunctions::kUse, View::kProgram};
    Win32FileSystem programFiles{View::kProgram};
    Win32Registry nativeRegistry{Win32Registry::ShellFunctions::kAvoid, View::kNative};
    Win32FileSystem nativeFiles{View::kNative};
    TwoViews views{programRegistry, programFiles, nativeRegistry, nativeFiles, WindowsFolder(),
                   platform::win32::HasNativeView()};
};

}  // namespace

TwoViews& TwoViewsUnderTest() {
    static RealTwoViews machine;
    return machine.views;
}

std::string NewSourceFile() {
    static int count = 0;
    char temp[MAX_PATH];
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    const std::string folder = length > 0 && length < sizeof temp ? temp : "C:\\";
    std::string path = folder + "views-source-" + std::to_string(::GetCurrentProcessId()) + "-" +
                       std::to_string(++count) + ".txt";
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        platform::win32::UniqueKernelObject owner(file);
        DWORD written = 0;
        ::WriteFile(file, "source", 6, &written, nullptr);
    }
    return path;
}

}  // namespace contract
