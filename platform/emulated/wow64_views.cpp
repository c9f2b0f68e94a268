// The program's view of an emulated 64-bit machine: paths rewritten, every
// call made on the machine itself.
#include "platform/emulated/wow64_views.h"

#include <string_view>

#include "platform/emulated/name_compare.h"

namespace platform::emulated {
namespace {

constexpr const char* kSystemFolderName = "system32";
constexpr const char* kSoftwareKey = "Software";

// Below system32, the folders that both views share.
constexpr const char* kSharedSystemSubfolders[] = {
    "catroot", "catroot2", "drivers\\etc", "logfiles", "spool",
};

// True when `path` is `prefix` or starts with `prefix` and a backslash.
bool StartsWithStep(std::string_view path, std::string_view prefix) {
    if (path.size() < prefix.size() || !SameName(path.substr(0, prefix.size()), prefix)) {
        return false;
    }
    return path.size() == prefix.size() || path[prefix.size()] == '\\';
}

}  // namespace

std::string Wow64FileView::Redirect(const char* path) const {
    if (path == nullptr) return std::string();
    const std::string_view text = path;
    std::string systemFolder = machine_.WindowsFolderPath();
    if (!systemFolder.empty() && systemFolder.back() != '\\') systemFolder += '\\';
    const std::size_t folderLength = systemFolder.size();
    systemFolder += kSystemFolderName;
    if (!StartsWithStep(text, systemFolder)) return std::string(text);
    if (text.size() > systemFolder.size()) {
        const std::string_view below = text.substr(systemFolder.size() + 1);
        for (const char* shared : kSharedSystemSubfolders) {
            if (StartsWithStep(below, shared)) return std::string(text);
        }
    }
    std::string redirected(text.substr(0, folderLength));
    redirected += kWow64SystemFolderName;
    redirected += text.substr(systemFolder.size());
    return redirected;
}

std::unique_ptr<FindListing> Wow64FileView::FindFirst(const char* pattern, FindEntry& entry) {
    return machine_.FindFirst(Redirect(pattern).c_str(), entry);
}
bool Wow64FileView::Exists(const char* path) { return machine_.Exists(Redirect(path).c_str()); }
bool Wow64FileView::Move(const char* from, const char* to) {
    return machine_.Move(Redirect(from).c_str(), Redirect(to).c_str());
}
bool Wow64FileView::CopyNoOverwrite(const char* from, const char* to) {
    return machine_.CopyNoOverwrite(Redirect(from).c_str(), Redirect(to).c_str());
}
bool Wow64FileView::Delete(const char* path) { return machine_.Delete(Redirect(path).c_str()); }
std::uint32_t Wow64FileView::GetAttributes(const char* path) {
    return machine_.GetAttributes(Redirect(path).c_str());
}
bool Wow64FileView::SetAttributes(const char* path, std::uint32_t attributes) {
    return machine_.SetAttributes(Redirect(path).c_str(), attributes);
}
bool Wow64FileView::CreateFolder(const char* path) {
    return machine_.CreateFolder(Redirect(path).c_str());
}
bool Wow64FileView::RemoveFolder(const char* path) {
    return machine_.RemoveFolder(Redirect(path).c_str());
}
DriveType Wow64FileView::DriveTypeOf(const char* root) { return machine_.DriveTypeOf(root); }
std::size_t Wow64FileView::SystemFolder(char* buffer, std::size_t size) {
    return machine_.SystemFolder(buffer, size);
}
std::size_t Wow64FileView::WindowsFolder(char* buffer, std::size_t size) {
    return machine_.WindowsFolder(buffer, size);
}
std::size_t Wow64FileView::ModuleFileName(char* buffer, std::size_t size) {
    return machine_.ModuleFileName(buffer, size);
}
std::size_t Wow64FileView::FullPathName(const char* path, char* buffer, std::size_t size) {
    return machine_.FullPathName(path, buffer, size);
}
// The long form names system32 as the program does; only the lookup goes to
// SysWOW64. Both names have eight letters, so the answer's length is the same.
std::size_t Wow64FileView::LongPathName(const char* path, char* buffer, std::size_t size) {
    const std::string redirected = Redirect(path);
    if (path == nullptr || redirected == path) return machine_.LongPathName(path, buffer, size);
    static_assert(std::string_view(kSystemFolderName).size() ==
                  std::string_view(kWow64SystemFolderName).size());
    char longForm[kMaxPathBytes] = {};
    const std::size_t length = machine_.LongPathName(redirected.c_str(), longForm, sizeof longForm);
    if (length == 0 || length >= size) return 0;
    std::string answer(longForm, length);
    const std::string step = std::string("\\") + kWow64SystemFolderName;
    for (std::size_t at = 0; at + step.size() <= answer.size(); ++at) {
        if (SameName(std::string_view(answer).substr(at, step.size()), step) &&
            (at + step.size() == answer.size() || answer[at + step.size()] == '\\')) {
            answer.replace(at + 1, step.size() - 1, kSystemFolderName);
            break;
        }
    }
    answer.copy(buffer, length);
    buffer[length] = '\0';
    return length;
}

Wow64RegistryView::~Wow64RegistryView() = default;

std::optional<std::string> Wow64RegistryView::Redirect(RegRoot root, const char* path) {
    if (path == nullptr) return std::nullopt;
    const std::string_view text = path;
    if (root != RegRoot::LocalMachine || !StartsWithStep(text, kSoftwareKey)) {
        return std::string(text);
    }
    const std::size_t softwareLength = std::string_view(kSoftwareKey).size();
    // A path that names the node itself is left as it is, as Windows does.
    if (text.size() > softwareLength &&
        StartsWithStep(text.substr(softwareLength + 1), kWow64RegistryNode)) {
        return std::string(text);
    }
    std::string redirected(text.substr(0, softwareLength));
    redirected += '\\';
    redirected += kWow64RegistryNode;
    redirected += text.substr(softwareLength);
    return redirected;
}

namespace {
const char* TextOf(const std::optional<std::string>& path) {
    return path ? path->c_str() : nullptr;
}
}  // namespace

RegResult Wow64RegistryView::Adopt(RegResult result, RegKey& machineKey, RegKey& key) {
    if (result != kErrorSuccess) return result;
    const std::uintptr_t handle = nextHandle_++;
    keys_.emplace(handle, std::move(machineKey));
    key = MakeKey(handle);
    return result;
}

const RegKey* Wow64RegistryView::MachineKey(const RegKey& key) const {
    if (!Owns(key)) return nullptr;
    auto found = keys_.find(HandleOf(key));
    return found == keys_.end() ? nullptr : &found->second;
}

RegResult Wow64RegistryView::CloseHandle(std::uintptr_t handle) noexcept {
    auto found = keys_.find(handle);
    if (found == keys_.end()) return kErrorInvalidHandle;
    const RegResult result = machine_.CloseKey(found->second);
    keys_.erase(found);
    return result;
}

RegResult Wow64RegistryView::OpenKey(RegRoot root, const char* path, AccessMask access,
                                     RegKey& key) {
    RegKey machineKey;
    const RegResult result =
        machine_.OpenKey(root, TextOf(Redirect(root, path)), access, machineKey);
    return Adopt(result, machineKey, key);
}

RegResult Wow64RegistryView::CreateKey(RegRoot root, const char* path, RegKey& key) {
    RegKey machineKey;
    const RegResult result = machine_.CreateKey(root, TextOf(Redirect(root, path)), machineKey);
    return Adopt(result, machineKey, key);
}

RegResult Wow64RegistryView::CreateKeyEx(RegRoot root, const char* path, AccessMask access,
                                         RegKey& key) {
    RegKey machineKey;
    const RegResult result =
        machine_.CreateKeyEx(root, TextOf(Redirect(root, path)), access, machineKey);
    return Adopt(result, machineKey, key);
}

RegResult Wow64RegistryView::QueryValue(const RegKey& key, const char* name, ValueType* type,
                                        void* data, std::uint32_t* dataSize) {
    const RegKey* machineKey = MachineKey(key);
    if (machineKey == nullptr) return kErrorInvalidHandle;
    return machine_.QueryValue(*machineKey, name, type, data, dataSize);
}

RegResult Wow64RegistryView::SetValue(const RegKey& key, const char* name, ValueType type,
                                      const void* data, std::uint32_t dataSize) {
    const RegKey* machineKey = MachineKey(key);
    if (machineKey == nullptr) return kErrorInvalidHandle;
    return machine_.SetValue(*machineKey, name, type, data, dataSize);
}

RegResult Wow64RegistryView::DeleteValue(const RegKey& key, const char* name) {
    const RegKey* machineKey = MachineKey(key);
    if (machineKey == nullptr) return kErrorInvalidHandle;
    return machine_.DeleteValue(*machineKey, name);
}

RegResult Wow64RegistryView::EnumValue(const RegKey& key, std::uint32_t index, char* name,
                                       std::uint32_t* nameLength, ValueType* type, void* data,
                                       std::uint32_t* dataSize) {
    const RegKey* machineKey = MachineKey(key);
    if (machineKey == nullptr) return kErrorInvalidHandle;
    return machine_.EnumValue(*machineKey, index, name, nameLength, type, data, dataSize);
}

RegResult Wow64RegistryView::CopyValue(const RegKey& source, std::uint32_t index,
                                       const RegKey& destination) {
    const RegKey* from = MachineKey(source);
    const RegKey* to = MachineKey(destination);
    if (from == nullptr || to == nullptr) return kErrorInvalidHandle;
    return machine_.CopyValue(*from, index, *to);
}

RegResult Wow64RegistryView::CheckAnsiName(const RegKey& key, std::uint32_t index) {
    const RegKey* machineKey = MachineKey(key);
    if (machineKey == nullptr) return kErrorInvalidHandle;
    return machine_.CheckAnsiName(*machineKey, index);
}

RegResult Wow64RegistryView::CopyTree(const RegKey& source, const RegKey& destination) {
    const RegKey* from = MachineKey(source);
    const RegKey* to = MachineKey(destination);
    if (from == nullptr || to == nullptr) return kErrorInvalidParameter;
    return machine_.CopyTree(*from, *to);
}

RegResult Wow64RegistryView::CopyTree(RegRoot root, const char* sourcePath,
                                      const RegKey& destination) {
    const RegKey* to = MachineKey(destination);
    if (to == nullptr) return kErrorInvalidParameter;
    return machine_.CopyTree(root, TextOf(Redirect(root, sourcePath)), *to);
}

RegResult Wow64RegistryView::DeleteTree(RegRoot root, const char* path) {
    return machine_.DeleteTree(root, TextOf(Redirect(root, path)));
}

RegResult Wow64RegistryView::DeleteValueAt(RegRoot root, const char* path, const char* name) {
    return machine_.DeleteValueAt(root, TextOf(Redirect(root, path)), name);
}

RegResult Wow64RegistryView::SaveKey(const RegKey& key, const char* filePath) {
    const RegKey* machineKey = MachineKey(key);
    if (machineKey == nullptr) return kErrorInvalidHandle;
    if (filePath == nullptr) return machine_.SaveKey(*machineKey, nullptr);
    return machine_.SaveKey(*machineKey, files_.Redirect(filePath).c_str());
}

}  // namespace platform::emulated
