// The registry of an emulated Windows machine: HKLM and HKCU in memory, with
// the control-set layout of the chosen Windows family, a description loaded
// from and saved as REGEDIT4 text, and injectable faults.
//
// On the NT family HKLM\System\CurrentControlSet is no key of its own but the
// alias of one numbered control set (ControlSet00n); on the 9x family it is a
// plain key and no numbered set exists until someone creates one. Access
// rights are checked on the NT family only, as the 9x family has no key
// security. Value enumeration keeps the order in which values were first set.
// On the NT family names and text data may hold characters without an ANSI
// form (ansi_form.h), which the A calls show as '?'.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/emulated/cut_off.h"
#include "platform/emulated/registry_faults.h"
#include "platform/emulated/registry_tree.h"
#include "platform/platform_kind.h"
#include "platform/registry.h"

namespace platform::emulated {

class EmulatedRegistry final : public Registry {
  public:
    // `currentControlSet` (1 to 3) is the numbered set the alias names on NT.
    explicit EmulatedRegistry(PlatformKind kind, int currentControlSet = 1);
    ~EmulatedRegistry() override;
    EmulatedRegistry(const EmulatedRegistry&) = delete;
    EmulatedRegistry& operator=(const EmulatedRegistry&) = delete;

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

    // Reads a machine description in the REGEDIT4 format: [key] and [-key]
    // lines, "name"= or @= with a string, dword:, hex:, hex(n): or -. Returns
    // false at the first line it cannot read; the lines before it stay applied.
    // Neither counted nor subject to faults.
    bool LoadRegFile(std::string_view text);
    // The whole machine as REGEDIT4 text, numbered control sets under their
    // real names, values in their enumeration order.
    std::string SaveRegFile() const;

    // Every key below the roots and every value, by full path
    // ("HKEY_LOCAL_MACHINE\\System\\ControlSet001\\..."), in enumeration order.
    std::vector<std::string> Keys() const;
    std::vector<std::pair<std::string, RegValue>> Values() const;

    // Lets an open of the key ask only for the rights in `grantable`, as the
    // key's security would. Returns false when the key does not exist.
    bool LimitAccess(RegRoot root, const char* path, AccessMask grantable);

    // The "HKEY_LOCAL_MACHINE\..." path that `path` below `root` names, the
    // control-set alias resolved; for FailWritesUnder.
    std::string FullPathOf(RegRoot root, const char* path) const;
    RegistryFaults& Faults() { return faults_; }
    // The cut that ends the process working on this machine; the file system
    // of the same machine shares it, so one count runs over both.
    void SetCutOff(CutOff* cutOff) { cutOff_ = cutOff; }
    std::uint64_t OperationCount(RegOpMask ops) const { return faults_.Count(ops); }
    std::size_t OpenHandleCount() const { return handles_.size(); }

    // Where SaveKey puts a hive file: by default a store inside this object
    // (HiveFile reads it); a test machine may route it to its file system.
    // The save first creates the file empty (the writer returns
    // kErrorAlreadyExists when it exists), then fills it, in two steps a cut
    // can come between.
    enum class HiveWrite { Create, Fill };
    using HiveFileWriter =
        std::function<RegResult(const char* path, const std::string& content, HiveWrite how)>;
    void SetHiveFileWriter(HiveFileWriter writer) { hiveWriter_ = std::move(writer); }
    const std::string* HiveFile(const char* path) const;

  private:
    struct OpenKeyEntry {
        std::shared_ptr<RegNode> node;
        AccessMask access;
    };

    RegResult CloseHandle(std::uintptr_t handle) noexcept override;

    // What a call answers once the cut has come: nobody is left to see it.
    static constexpr RegResult kCutOffResult = kErrorInvalidHandle;
    // Counts the call for the faults, or fails it once the cut has come.
    RegResult Begin(RegOp op);
    // True when the next change may happen.
    bool Step();
    RegResult RemoveValueStep(RegNode& node, std::string_view name);
    RegResult WriteHive(const char* path, const std::string& content, HiveWrite how);

    bool IsNt() const { return kind_ == PLATFORM_NT; }
    RegNode& Root(RegRoot root) const;
    // The parts of `path`, CurrentControlSet named as the control set it
    // stands for; views into `path` and this registry, valid while both are.
    std::vector<std::string_view> Resolve(RegRoot root, const char* path) const;
    std::shared_ptr<RegNode> Find(RegRoot root, const char* path) const;
    bool IsOpenHere(const RegKey& key) const;
    // The open key behind `key`, or the failure code for it.
    RegResult Lookup(const RegKey& key, AccessMask needed, OpenKeyEntry*& entry);
    bool Grants(const RegNode& node, AccessMask access) const;
    RegResult CreateImpl(RegRoot root, const char* path, AccessMask access, RegKey& key);
    RegResult CopyInto(const RegNode& source, RegNode& destination);
    RegResult DeleteSubtree(RegNode& node);
    RegKey Open(std::shared_ptr<RegNode> node, AccessMask access);

    PlatformKind kind_;
    std::string currentSetName_;
    std::shared_ptr<RegNode> machine_;
    std::shared_ptr<RegNode> user_;
    std::map<std::uintptr_t, OpenKeyEntry> handles_;
    std::uintptr_t nextHandle_ = 1;
    RegistryFaults faults_;
    CutOff* cutOff_ = nullptr;
    HiveFileWriter hiveWriter_;
    std::vector<std::pair<std::string, std::string>> hiveFiles_;
};

}  // namespace platform::emulated
