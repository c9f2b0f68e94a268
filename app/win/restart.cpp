// The restart: InitiateSystemShutdown with the shutdown privilege on the NT
// family, ExitWindowsEx everywhere else.
#include "app/win/restart.h"

#include <windows.h>

#include "app/win/nt_security_api.h"
#include "app/win/unique_handle.h"

namespace app {
namespace {

bool SetShutdownPrivilege(const NtSecurityApi& api, HANDLE token, DWORD attributes) {
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    if (!api.LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
        return false;
    }
    privileges.Privileges[0].Attributes = attributes;
    SetLastError(ERROR_SUCCESS);
    api.AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    // Also ERROR_NOT_ALL_ASSIGNED, the privilege not held, counts as failure.
    return GetLastError() == ERROR_SUCCESS;
}

int RestartNt() {
    const NtSecurityApi* api = LoadNtSecurityApi();
    if (!api) return 0;
    UniqueHandle token;
    if (!api->OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                               token.put())) {
        return 0;
    }
    if (!SetShutdownPrivilege(*api, token.get(), SE_PRIVILEGE_ENABLED)) return 0;

    constexpr DWORD kNoTimeout = 0;
    if (!api->InitiateSystemShutdownA(nullptr, nullptr, kNoTimeout, TRUE, TRUE)) return 0;

    const bool disabled = SetShutdownPrivilege(*api, token.get(), 0);
    return disabled ? 1 : 0;
}

int RestartWindows9x() {
    SetLastError(ERROR_SUCCESS);
    ExitWindowsEx(EWX_REBOOT, 0);
    return GetLastError() == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace

int RestartComputer(platform::PlatformKind kind) {
    return kind == platform::PLATFORM_NT ? RestartNt() : RestartWindows9x();
}

}  // namespace app
