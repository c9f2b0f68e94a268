// Zelvink.dll under Wine's own KERNEL32 with no Zelvbase.DLL anywhere: the
// load fails, and a debugger attached to the loading process sees the entry
// routine's message exactly once. Without arguments this program is the
// debugger and starts itself with "load" as the process that loads.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/bridge/unique_handle.h"

namespace {

const std::string kMessage = "\n\rIn DllEntryPoint: THK_ThunkConnect32 ret FALSE\r\n";
constexpr DWORD kLoadFailed = 0;
constexpr DWORD kLoaded = 1;
constexpr DWORD kEventTimeoutMs = 60000;
constexpr int kPassed = 0;
constexpr int kFailed = 1;

int loadTheLibrary() {
    HMODULE library = LoadLibraryA("Zelvink.dll");
    if (library == nullptr) {
        std::printf("LoadLibraryA failed with error %lu\n", GetLastError());
        return kLoadFailed;
    }
    FreeLibrary(library);
    return kLoaded;
}

std::string readDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    if (info.fUnicode || !ReadProcessMemory(process, info.lpDebugStringData, text.data(),
                                            text.size(), &read))
        return "<unreadable debug string>";
    text.resize(read);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::string visible(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
    return out;
}

int debugTheLoad() {
    char self[MAX_PATH];
    if (GetModuleFileNameA(nullptr, self, MAX_PATH) == 0) return kFailed;
    std::string commandLine = "\"" + std::string(self) + "\" load";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr, &startup, &started)) {
        std::printf("FAIL: CreateProcessA failed with error %lu\n", GetLastError());
        return kFailed;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);

    std::vector<std::string> strings;
    DWORD exitCode = 0;
    for (bool running = true; running;) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, kEventTimeoutMs)) {
            std::printf("FAIL: no debug event within %lu ms\n", kEventTimeoutMs);
            TerminateProcess(process.get(), kFailed);
            return kFailed;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT: {
                const UniqueHandle image(event.u.CreateProcessInfo.hFile);
                break;
            }
            case LOAD_DLL_DEBUG_EVENT: {
                const UniqueHandle image(event.u.LoadDll.hFile);
                break;
            }
            case OUTPUT_DEBUG_STRING_EVENT:
                strings.push_back(readDebugString(process.get(), event.u.DebugString));
                break;
            case EXCEPTION_DEBUG_EVENT:
                if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                    status = DBG_EXCEPTION_NOT_HANDLED;
                break;
            case EXIT_PROCESS_DEBUG_EVENT:
                exitCode = event.u.ExitProcess.dwExitCode;
                running = false;
                break;
            default:
                break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }

    int result = kPassed;
    if (exitCode != kLoadFailed) {
        std::printf("FAIL: the loading process ended with %lu, the load did not fail\n", exitCode);
        result = kFailed;
    }
    int seen = 0;
    for (const std::string& text : strings) {
        std::printf("debug string: \"%s\"\n", visible(text).c_str());
        if (text == kMessage) ++seen;
    }
    if (seen != 1) {
        std::printf("FAIL: the message was seen %d times, want once\n", seen);
        result = kFailed;
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "load") return int(loadTheLibrary());
    return debugTheLoad();
}
