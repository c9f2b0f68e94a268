// The registry contract suite's backend in the Windows build: the registry of
// the Windows (or Wine prefix) it runs in, and hive files in its temporary
// folder.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

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

void SetValueWithoutAnsiForm(const char* path, const char16_t* name, const char16_t* text) {
    const std::wstring widePath(path, path + std::strlen(path));  // ASCII paths only
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const auto* wideText = reinterpret_cast<const wchar_t*>(text);
    ::RegSetValueExW(key, reinterpret_cast<const wchar_t*>(name), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(wideText),
                     static_cast<DWORD>((std::wcslen(wideText) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

std::vector<std::string> ExactValues(const char* path) {
    std::vector<std::string> values;
    const std::wstring widePath(path, path + std::strlen(path));
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, widePath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        BYTE data[4096];
        DWORD length = 16384;
        DWORD size = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueW(key, index, name, &length, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        values.push_back(std::string(reinterpret_cast<const char*>(name), length * sizeof(wchar_t)) +
                         "|" + std::to_string(type) + "|" +
                         std::string(reinterpret_cast<const char*>(data), size));
    }
    ::RegCloseKey(key);
    return values;
}

}  // namespace contract
