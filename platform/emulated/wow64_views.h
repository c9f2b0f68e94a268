// What a 32-bit program sees of an emulated 64-bit Windows machine. The
// EmulatedRegistry and EmulatedFileSystem of such a machine hold it as it is,
// which is its native view; these wrappers show the program's own view over
// the same machine, as the 32-bit layer of 64-bit Windows does:
//  - "<Windows folder>\system32" and everything below it is
//    "<Windows folder>\SysWOW64", except the subfolders both views share;
//  - HKLM\Software and everything below it is HKLM\Software\Wow6432Node.
//    HKLM\System and all of HKCU are shared.
// Every call goes to the machine itself, so its faults and its cut-off count
// the calls of both views as one process's.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_registry.h"

namespace platform::emulated {

// The folder a 32-bit program's system32 is on 64-bit Windows, beside it.
inline constexpr const char* kWow64SystemFolderName = "SysWOW64";
// The key below HKLM\Software that holds a 32-bit program's HKLM\Software.
inline constexpr const char* kWow64RegistryNode = "Wow6432Node";

class Wow64FileView final : public FileSystem {
  public:
    explicit Wow64FileView(EmulatedFileSystem& machine) : machine_(machine) {}

    // `path` as the machine's native view names it.
    std::string Redirect(const char* path) const;

    std::unique_ptr<FindListing> FindFirst(const char* pattern, FindEntry& entry) override;
    bool Exists(const char* path) override;
    bool Move(const char* from, const char* to) override;
    bool CopyNoOverwrite(const char* from, const char* to) override;
    bool Delete(const char* path) override;
    std::uint32_t GetAttributes(const char* path) override;
    bool SetAttributes(const char* path, std::uint32_t attributes) override;
    bool CreateFolder(const char* path) override;
    bool RemoveFolder(const char* path) override;
    DriveType DriveTypeOf(const char* root) override;
    // The system folder keeps its name in both views.
    std::size_t SystemFolder(char* buffer, std::size_t size) override;
    std::size_t WindowsFolder(char* buffer, std::size_t size) override;
    std::size_t ModuleFileName(char* buffer, std::size_t size) override;
    std::size_t FullPathName(const char* path, char* buffer, std::size_t size) override;
    std::size_t LongPathName(const char* path, char* buffer, std::size_t size) override;

  private:
    EmulatedFileSystem& machine_;
};

class Wow64RegistryView final : public Registry {
  public:
    // `files` redirects the paths of hive files that SaveKey writes.
    Wow64RegistryView(EmulatedRegistry& machine, const Wow64FileView& files)
        : machine_(machine), files_(files) {}
    ~Wow64RegistryView() override;
    Wow64RegistryView(const Wow64RegistryView&) = delete;
    Wow64RegistryView& operator=(const Wow64RegistryView&) = delete;

    // The key path that `path` below `root` names in the machine's native
    // view; no text (not even an empty one) for a null path.
    static std::optional<std::string> Redirect(RegRoot root, const char* path);

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

  private:
    RegResult CloseHandle(std::uintptr_t handle) noexcept override;
    // Keeps a key the machine opened and gives the caller one of this view.
    RegResult Adopt(RegResult result, RegKey& machineKey, RegKey& key);
    // The machine's key behind one of this view, or null.
    const RegKey* MachineKey(const RegKey& key) const;

    EmulatedRegistry& machine_;
    const Wow64FileView& files_;
    std::map<std::uintptr_t, RegKey> keys_;
    std::uintptr_t nextHandle_ = 1;
};

}  // namespace platform::emulated
