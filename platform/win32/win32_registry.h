// The registry of the running Windows, one platform call per operation. Value
// copies and the copies and deletes of the registry's own calls below use the
// Unicode calls on the NT family (unicode_registry.h), so that they keep every
// name and value exactly whatever the system's code page. The
// shell's key functions (SHCopyKeyA, SHDeleteKeyA, SHDeleteValueA) are looked
// up in shlwapi.dll at run time, as Windows 95 and NT 4.0 may lack them or the
// library; where one is missing, the same work is done with the registry's own
// calls (win32_registry_fallbacks.cpp).
//
// On 64-bit Windows a second object in the native view opens and creates
// every key with KEY_WOW64_64KEY. The shell's functions open subkeys without
// that flag, which lands them in this program's view, so that object always
// copies and deletes with the registry's own calls, each carrying the flag,
// and saves hives with file-system redirection turned off: a hive file of the
// native view lies in the native folders.
#pragma once

#include "platform/registry.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/wow64.h"

namespace platform::win32 {

class Win32Registry final : public Registry {
  public:
    // kAvoid uses the registry's own calls even where the shell has the
    // functions, so tests can prove those on a system that has both.
    enum class ShellFunctions { kUse, kAvoid };
    // kNative needs HasNativeView(); without it both views are the same.
    explicit Win32Registry(ShellFunctions shell = ShellFunctions::kUse, View view = View::kProgram);
    ~Win32Registry() override = default;
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

    RegResult OpenKey(RegRoot root, const char* path, AccessMask access, RegKey& key) override;
    RegResult CreateKey(RegRoot root, const char* path, RegKey& key) override;
    RegResult CreateKeyEx(RegRoot root, const char* path, AccessMask access, RegKey& key) override;
    RegResult QueryValue(const RegKey& key, const char* name, ValueType* type, void* data,
                         std::uint32_t* dataSize) override;
    RegResult SetValue(const RegKey& key, const char* name, ValueType type, const void* data,
                       std::uint32_t dataSize) override;
    RegResult DeleteValue(const RegKey& key, const char* name) override;
    RegResult EnumValue(const RegKey& key, std::uint32_t index, char* name,
                        std::uint32_t* nameLength, ValueType* type, void* data,
                        std::uint32_t* dataSize) override;
    RegResult CopyValue(const RegKey& source, std::uint32_t index,
                        const RegKey& destination) override;
    RegResult CheckAnsiName(const RegKey& key, std::uint32_t index) override;
    RegResult CopyTree(const RegKey& source, const RegKey& destination) override;
    RegResult CopyTree(RegRoot root, const char* sourcePath, const RegKey& destination) override;
    RegResult DeleteTree(RegRoot root, const char* path) override;
    RegResult DeleteValueAt(RegRoot root, const char* path, const char* name) override;
    RegResult SaveKey(const RegKey& key, const char* filePath) override;

    // The HKEY behind an open key of this registry, or null.
    HKEY NativeHandle(const RegKey& key) const;

  private:
    using CopyKeyFunction = DWORD(WINAPI*)(HKEY, LPCSTR, HKEY, DWORD);
    using DeleteKeyFunction = DWORD(WINAPI*)(HKEY, LPCSTR);
    using DeleteValueFunction = DWORD(WINAPI*)(HKEY, LPCSTR, LPCSTR);

    RegResult CloseHandle(std::uintptr_t handle) noexcept override;
    RegResult Adopt(LONG result, HKEY handle, RegKey& key);
    // The view's flag for every open, create and delete; none in kProgram.
    REGSAM ViewFlag() const { return view_ == View::kNative ? kNativeRegistryView : 0; }
    bool UsesShell() const { return view_ == View::kProgram; }

    UniqueLibrary shell_;
    CopyKeyFunction copyKey_ = nullptr;
    DeleteKeyFunction deleteKey_ = nullptr;
    DeleteValueFunction deleteValue_ = nullptr;
    View view_;
};

// The registry's own calls doing the shell functions' work, through the
// Unicode calls on the NT family. `view` is added
// to every open, create and delete of a key below the handles given: 0, or
// kNativeRegistryView (deletes then need RegDeleteKeyExA).
DWORD CopyKeyByHand(HKEY source, LPCSTR subKey, HKEY destination, REGSAM view = 0);
DWORD DeleteKeyByHand(HKEY root, LPCSTR subKey, REGSAM view = 0);
DWORD DeleteValueByHand(HKEY root, LPCSTR subKey, LPCSTR value, REGSAM view = 0);

}  // namespace platform::win32
