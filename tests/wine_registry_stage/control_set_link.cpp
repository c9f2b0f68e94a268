// CurrentControlSet turned into a link, the way NT keeps it, so the stage can
// be run through the link on the real registry.
#include "tests/wine_registry_stage/control_set_link.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win32/win32_registry.h"

namespace wine_stage {

namespace {

constexpr DWORD kCreateLinkOption = 0x00000002;  // REG_OPTION_CREATE_LINK
constexpr DWORD kLinkType = 6;                   // REG_LINK
constexpr DWORD kOpenLinkOption = 0x00000008;    // REG_OPTION_OPEN_LINK
constexpr DWORD kMaxKeyNameLength = 255;
constexpr const wchar_t kLinkTarget[] = L"\\Registry\\Machine\\System\\ControlSet001";

class OwnedKey {
  public:
    OwnedKey() = default;
    OwnedKey(const OwnedKey&) = delete;
    OwnedKey& operator=(const OwnedKey&) = delete;
    ~OwnedKey() {
        if (key_ != nullptr) ::RegCloseKey(key_);
    }
    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

bool ReadsBackThroughLink() {
    OwnedKey through;
    if (::RegCreateKeyA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\DravolinLinkProbe",
                        through.Out()) != ERROR_SUCCESS) {
        return false;
    }
    const DWORD written = 0x1234;
    if (::RegSetValueExA(through.Get(), "probe", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&written),
                         sizeof written) != ERROR_SUCCESS) {
        return false;
    }
    OwnedKey direct;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\ControlSet001\\DravolinLinkProbe", 0, KEY_READ,
                        direct.Out()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD read = 0;
    DWORD size = sizeof read;
    const bool same = ::RegQueryValueExA(direct.Get(), "probe", nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(&read), &size) == ERROR_SUCCESS &&
                      read == written;
    platform::win32::DeleteKeyByHand(HKEY_LOCAL_MACHINE,
                                     "System\\ControlSet001\\DravolinLinkProbe");
    return same;
}

// Says which step failed and with what code, for the test's output.
bool Failed(const char* step, long code) {
    std::printf("making the CurrentControlSet link: %s failed with %ld\n", step, code);
    return false;
}

// Deletes the key when it is a registry link; false when it is none or the
// link would not go.
bool DeleteIfLink(HKEY parent, const std::wstring& name) {
    using DeleteKeyFunction = LONG(WINAPI*)(HANDLE);
    static const auto deleteKey = reinterpret_cast<DeleteKeyFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    OwnedKey link;
    if (deleteKey == nullptr ||
        ::RegOpenKeyExW(parent, name.c_str(), kOpenLinkOption, KEY_QUERY_VALUE | DELETE,
                        link.Out()) != ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    if (::RegQueryValueExW(link.Get(), L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) !=
            ERROR_SUCCESS ||
        type != kLinkType) {
        return false;
    }
    return deleteKey(link.Get()) == 0;
}

// Deletes a key and everything below it. On failure `failedAt` names the key
// (below `parent`) that would not go.
LONG DeleteTree(HKEY parent, const std::wstring& name, std::wstring& failedAt) {
    // A link is deleted itself, never followed: Wine links keys below
    // Control\Video to keys below Control\Class, which may be gone already.
    if (DeleteIfLink(parent, name)) return ERROR_SUCCESS;
    {
        OwnedKey key;
        LONG result = ::RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS, key.Out());
        // Always the first subkey: each one deleted moves the next to the front.
        while (result == ERROR_SUCCESS) {
            wchar_t child[kMaxKeyNameLength + 1];
            DWORD length = kMaxKeyNameLength + 1;
            result =
                ::RegEnumKeyExW(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr);
            if (result != ERROR_SUCCESS) break;
            result = DeleteTree(key.Get(), child, failedAt);
            if (result != ERROR_SUCCESS) {
                failedAt = name + L"\\" + failedAt;
                return result;
            }
        }
        if (result != ERROR_NO_MORE_ITEMS) {
            failedAt = name;
            return result;
        }
    }
    const LONG result = ::RegDeleteKeyW(parent, name.c_str());
    if (result != ERROR_SUCCESS) failedAt = name;
    return result;
}

}  // namespace

bool MakeControlSetLink() {
    {
        OwnedKey current;
        OwnedKey numbered;
        LONG result = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet", 0,
                                      KEY_ALL_ACCESS, current.Out());
        if (result != ERROR_SUCCESS) return Failed("opening CurrentControlSet", result);
        result = ::RegCreateKeyA(HKEY_LOCAL_MACHINE, "System\\ControlSet001", numbered.Out());
        if (result != ERROR_SUCCESS) return Failed("creating ControlSet001", result);
        result = static_cast<LONG>(
            platform::win32::CopyKeyByHand(current.Get(), nullptr, numbered.Get()));
        if (result != ERROR_SUCCESS) return Failed("copying into ControlSet001", result);
    }
    std::wstring failedAt;
    LONG result = DeleteTree(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet", failedAt);
    if (result != ERROR_SUCCESS) {
        std::printf("deleting %ls failed with %ld\n", failedAt.c_str(), result);
        return Failed("deleting CurrentControlSet", result);
    }
    OwnedKey link;
    result = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet", 0, nullptr,
                               REG_OPTION_VOLATILE | kCreateLinkOption,
                               KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, link.Out(), nullptr);
    if (result != ERROR_SUCCESS) return Failed("creating the link key", result);
    const DWORD bytes = sizeof(kLinkTarget) - sizeof(wchar_t);  // no terminator
    result = ::RegSetValueExW(link.Get(), L"SymbolicLinkValue", 0, kLinkType,
                              reinterpret_cast<const BYTE*>(kLinkTarget), bytes);
    if (result != ERROR_SUCCESS) return Failed("setting SymbolicLinkValue", result);
    return ReadsBackThroughLink() || Failed("reading back through the link", 0);
}

}  // namespace wine_stage
