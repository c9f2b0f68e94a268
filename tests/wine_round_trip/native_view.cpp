// The native view's calls, looked up at run time: the test programs run on
// Windows versions that lack them too.
#include "tests/wine_round_trip/native_view.h"

namespace winetest {
namespace {

// KEY_WOW64_64KEY, not named by every header this builds with.
constexpr REGSAM kNativeKeyFlag = 0x0100;

using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableFunction = BOOL(WINAPI*)(PVOID*);
using RevertFunction = BOOL(WINAPI*)(PVOID);
using DeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
using Wow64FolderFunction = UINT(WINAPI*)(LPSTR, UINT);

template <typename Function>
Function LookUp(const char* library, const char* name) {
    // kernel32 and advapi32 stay mapped for the process's whole life.
    const HMODULE module = ::GetModuleHandleA(library);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

bool UnderWow64() {
    static const bool under = [] {
        const auto isWow64 = LookUp<IsWow64Function>("kernel32.dll", "IsWow64Process");
        BOOL wow64 = FALSE;
        return isWow64 != nullptr && isWow64(::GetCurrentProcess(), &wow64) && wow64;
    }();
    return under;
}

REGSAM NativeKeyFlag() { return UnderWow64() ? kNativeKeyFlag : 0; }

LONG DeleteNativeKey(HKEY root, const std::string& path) {
    const auto deleteKeyEx = LookUp<DeleteKeyExFunction>("advapi32.dll", "RegDeleteKeyExA");
    if (!UnderWow64() || deleteKeyEx == nullptr) return ::RegDeleteKeyA(root, path.c_str());
    return deleteKeyEx(root, path.c_str(), kNativeKeyFlag, 0);
}

std::string Wow64SystemFolder() {
    const auto folder = LookUp<Wow64FolderFunction>("kernel32.dll", "GetSystemWow64DirectoryA");
    char path[MAX_PATH];
    const UINT length = UnderWow64() && folder != nullptr ? folder(path, sizeof path) : 0;
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

NativeFiles::NativeFiles() {
    const auto disable = LookUp<DisableFunction>("kernel32.dll", "Wow64DisableWow64FsRedirection");
    turnedOff_ = UnderWow64() && disable != nullptr && disable(&previous_);
}

NativeFiles::~NativeFiles() {
    const auto revert = LookUp<RevertFunction>("kernel32.dll", "Wow64RevertWow64FsRedirection");
    if (turnedOff_ && revert != nullptr) revert(previous_);
}

}  // namespace winetest
