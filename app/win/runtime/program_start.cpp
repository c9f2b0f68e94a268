// Where Dravolin.exe begins and ends. The program does without the C runtime
// DLL: msvcrt.dll is missing from a plain Windows 95, and all the program
// needs of it is the start and end of a process and a few memory and string
// functions (c_library.cpp, heap.cpp). The start does for WinMain what the
// runtime's start does: the command line after the program's own name, the
// show command the starter asked for, the constructors of static objects;
// the end runs the destructors registered with atexit, newest first.
#include <windows.h>

#include <cstddef>
#include <cstdlib>

#include "app/command_line.h"

namespace {

using ExitHandler = void (*)();

// Each static object with a destructor registers one; the program has a few.
constexpr std::size_t kExitHandlerCapacity = 32;
ExitHandler exitHandlers[kExitHandlerCapacity];
std::size_t exitHandlerCount = 0;

// The PE linker script brackets the constructor table: a leading -1 (or the
// count), the entries, a closing null. The compiler orders them so that
// calling from the last to the first builds objects in declaration order.
extern "C" ExitHandler __CTOR_LIST__[];

void RunConstructors() {
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
    for (std::size_t i = count; i > 0; --i) __CTOR_LIST__[i]();
}

[[noreturn]] void EndProcess(UINT exitCode) {
    while (exitHandlerCount > 0) exitHandlers[--exitHandlerCount]();
    ExitProcess(exitCode);
}

int StartupShowCommand() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

// Refuses rather than overruns when the table is full, as the C library may.
extern "C" int atexit(void (*handler)()) {
    if (handler == nullptr || exitHandlerCount == kExitHandlerCapacity) return -1;
    exitHandlers[exitHandlerCount++] = handler;
    return 0;
}

// The program's ending on a fault of its own, with the exit code the C
// runtime's abort gives.
extern "C" void abort() {
    constexpr UINT kAbortExitCode = 3;
    ExitProcess(kAbortExitCode);
}

// Windows enters with the stack aligned to four bytes only.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void DravolinStart() {
    RunConstructors();
    char* commandLine = const_cast<char*>(app::CommandLineTail(GetCommandLineA()));
    const int exitCode =
        WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, StartupShowCommand());
    EndProcess(static_cast<UINT>(exitCode));
}
