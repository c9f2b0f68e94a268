// The registry contract suite's backend in the Windows build: the registry of
// the Windows (or Wine prefix) it runs in, and hive files in its temporary
// folder.
#include <windows.h>

#include "platform/win32/win32_registry.h"
#include "tests/contract/registry_backend.h"

namespace contract {

platform::Registry& RegistryUnderTest() {
    static platform::win32::Win32Registry registry;
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
