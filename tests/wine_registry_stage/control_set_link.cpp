// CurrentControlSet turned into a link, the way NT keeps it, so the stage can
// be run through the link on the real registry.
#include "tests/wine_registry_stage/control_set_link.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/win32_registry.h"

namespace wine_stage {

namespace {

constexpr DWORD kCreateLinkOption = 0x00000002;  // REG_OPTION_CREATE_LINK
constexpr DWORD kLinkType = 6;                   // REG_LINK
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

}  // namespace

bool MakeControlSetLink() {
    {
        OwnedKey current;
        OwnedKey numbered;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet", 0, KEY_ALL_ACCESS,
                            current.Out()) != ERROR_SUCCESS ||
            ::RegCreateKeyA(HKEY_LOCAL_MACHINE, "System\\ControlSet001", numbered.Out()) !=
                ERROR_SUCCESS ||
            platform::win32::CopyKeyByHand(current.Get(), nullptr, numbered.Get()) !=
                ERROR_SUCCESS) {
            return false;
        }
    }
    if (platform::win32::DeleteKeyByHand(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet") !=
        ERROR_SUCCESS) {
        return false;
    }
    OwnedKey link;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet", 0, nullptr,
                          REG_OPTION_VOLATILE | kCreateLinkOption, KEY_ALL_ACCESS | KEY_CREATE_LINK,
                          nullptr, link.Out(), nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const DWORD bytes = sizeof(kLinkTarget) - sizeof(wchar_t);  // no terminator
    if (::RegSetValueExW(link.Get(), L"SymbolicLinkValue", 0, kLinkType,
                         reinterpret_cast<const BYTE*>(kLinkTarget), bytes) != ERROR_SUCCESS) {
        return false;
    }
    return ReadsBackThroughLink();
}

}  // namespace wine_stage
