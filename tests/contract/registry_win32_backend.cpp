// The registry contract suite's backend in the Windows build: the registry of
// the Windows (or Wine prefix) it runs in, and hive files in its temporary
// folder.
#include <windows.h>

#include <cstdlib>

#include "platform/win32/win32_registry.h"
#include "tests/contract/registry_backend.h"

namespace contract {

// DRAVOLIN_REGISTRY_FALLBACKS=1 runs the suite over the registry-call
// versions of the shell's key functions.
platform::Registry& RegistryUnderTest() {
    using platform::win32::Win32Registry;
    static Win32Registry registry([] {
        const char* setting = std::getenv("DRAVOLIN_REGISTRY_FALLBACKS");
        return setting != nullptr && std::string(setting) == "1"
                   ? Win32Registry::ShellFunctions::kAvoid
                   : Win32Registry::ShellFunctions::kUse;
    }());
    return registry;
}

std::string NewHiveFilePath() {
    static int count = 0;
    char temp[MAX_PATH];
    DWORD length = ::GetTempPathA(sizeof temp, temp);
    std::string folder = length > 0 && length < sizeof temp ? temp : "C:\\";
    std::string path = folder + "dravolin-hive-" + std::to_string(::GetCurrentProcessId()) + "-" +
                       std::to_string(++count) + ".dat";
    ::DeleteFileA(path.c_str());
    return path;
}

}  // namespace contract
