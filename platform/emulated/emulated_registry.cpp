// The registry operations of the emulated machine, each with the result codes
// Windows gives for the same call.
#include "platform/emulated/emulated_registry.h"

#include <algorithm>
#include <cstring>

#include "platform/emulated/ansi_form.h"

namespace platform::emulated {

namespace {

constexpr const char* kMachineRootName = "HKEY_LOCAL_MACHINE";
constexpr const char* kUserRootName = "HKEY_CURRENT_USER";
constexpr const char* kSystemKeyName = "System";
constexpr const char* kCurrentControlSetName = "CurrentControlSet";
constexpr AccessMask kDeleteRight = 0x00010000;
// The numbered control sets an NT machine may have.
constexpr int kFirstControlSet = 1;
constexpr int kLastControlSet = 3;

std::string_view NameOrDefault(const char* name) {
    return name == nullptr ? "" : name;
}

// The child of `node` named `name` in any case, or null.
std::shared_ptr<RegNode> ChildNamed(const RegNode& node, std::string_view name) {
    const auto found = std::find_if(node.children.begin(), node.children.end(),
                                    [&](const auto& child) { return NamesEqual(child->name, name); });
    return found == node.children.end() ? nullptr : *found;
}

bool IsText(ValueType type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// A value as the A calls of an NT machine read it: every character without an
// ANSI form a '?', in the name and in text data.
struct AnsiValue {
    std::string name;
    std::vector<std::uint8_t> data;

    AnsiValue(const RegValue& value, bool isNt) : name(value.name), data(value.data) {
        if (!isNt) return;
        if (HasNoAnsiForm(name)) name = AnsiView(name);
        if (!IsText(value.type)) return;
        const std::string_view held(reinterpret_cast<const char*>(data.data()), data.size());
        if (!HasNoAnsiForm(held)) return;
        const std::string shown = AnsiView(held);
        data.assign(shown.begin(), shown.end());
    }
};

}  // namespace

EmulatedRegistry::EmulatedRegistry(PlatformKind kind, int currentControlSet)
    : kind_(kind), machine_(std::make_shared<RegNode>()), user_(std::make_shared<RegNode>()) {
    machine_->name = kMachineRootName;
    user_->name = kUserRootName;
    if (currentControlSet < kFirstControlSet || currentControlSet > kLastControlSet) {
        currentControlSet = kFirstControlSet;
    }
    currentSetName_ = "ControlSet00" + std::to_string(currentControlSet);
    RegNode& system = machine_->AddChild(kSystemKeyName);
    system.AddChild(IsNt() ? currentSetName_ : std::string(kCurrentControlSetName));
    user_->AddChild("Software");
}

EmulatedRegistry::~EmulatedRegistry() = default;

RegNode& EmulatedRegistry::Root(RegRoot root) const {
    return root == RegRoot::LocalMachine ? *machine_ : *user_;
}

std::vector<std::string_view> EmulatedRegistry::Resolve(RegRoot root, const char* path) const {
    std::vector<std::string_view> parts = SplitPath(NameOrDefault(path));
    if (IsNt() && root == RegRoot::LocalMachine && parts.size() >= 2 &&
        NamesEqual(parts[0], kSystemKeyName) && NamesEqual(parts[1], kCurrentControlSetName)) {
        parts[1] = currentSetName_;
    }
    return parts;
}

std::shared_ptr<RegNode> EmulatedRegistry::Find(RegRoot root, const char* path) const {
    std::shared_ptr<RegNode> node = root == RegRoot::LocalMachine ? machine_ : user_;
    for (std::string_view part : Resolve(root, path)) {
        node = ChildNamed(*node, part);
        if (!node) return nullptr;
    }
    return node;
}

std::string EmulatedRegistry::FullPathOf(RegRoot root, const char* path) const {
    std::string full = Root(root).name;
    for (std::string_view part : Resolve(root, path)) {
        full += '\\';
        full += part;
    }
    return full;
}

bool EmulatedRegistry::Grants(const RegNode& node, AccessMask access) const {
    return !IsNt() || (access & ~node.grantable) == 0;
}

RegKey EmulatedRegistry::Open(std::shared_ptr<RegNode> node, AccessMask access) {
    std::uintptr_t handle = nextHandle_++;
    handles_[handle] = OpenKeyEntry{std::move(node), access};
    return MakeKey(handle);
}

RegResult EmulatedRegistry::CloseHandle(std::uintptr_t handle) noexcept {
    return handles_.erase(handle) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

bool EmulatedRegistry::IsOpenHere(const RegKey& key) const {
    return Owns(key) && handles_.find(HandleOf(key)) != handles_.end();
}

RegResult EmulatedRegistry::Lookup(const RegKey& key, AccessMask needed, OpenKeyEntry*& entry) {
    if (!Owns(key)) return kErrorInvalidHandle;
    auto it = handles_.find(HandleOf(key));
    if (it == handles_.end()) return kErrorInvalidHandle;
    if (it->second.node->deleted) return kErrorKeyDeleted;
    if (IsNt() && (it->second.access & needed) != needed) return kErrorAccessDenied;
    entry = &it->second;
    return kErrorSuccess;
}

RegResult EmulatedRegistry::Begin(RegOp op) {
    if (cutOff_ != nullptr && cutOff_->Gone()) return kCutOffResult;
    return faults_.OnOperation(op);
}

bool EmulatedRegistry::Step() {
    return cutOff_ == nullptr || cutOff_->Step();
}

RegResult EmulatedRegistry::OpenKey(RegRoot root, const char* path, AccessMask access,
                                    RegKey& key) {
    if (RegResult fault = Begin(RegOp::Open)) return fault;
    std::shared_ptr<RegNode> node = Find(root, path);
    if (!node) return kErrorFileNotFound;
    if (!Grants(*node, access)) return kErrorAccessDenied;
    key = Open(std::move(node), access);
    return kErrorSuccess;
}

RegResult EmulatedRegistry::CreateImpl(RegRoot root, const char* path, AccessMask access,
                                       RegKey& key) {
    if (RegResult fault = Begin(RegOp::Create)) return fault;
    const std::string fullPath = FullPathOf(root, path);
    if (RegResult fault = faults_.OnWrite(fullPath)) return fault;
    std::shared_ptr<RegNode> node = root == RegRoot::LocalMachine ? machine_ : user_;
    const std::vector<std::string_view> parts = Resolve(root, path);
    // Check rights before creating anything, so a refused create leaves no key.
    if (std::shared_ptr<RegNode> existing = Find(root, path)) {
        if (!Grants(*existing, access)) return kErrorAccessDenied;
    }
    for (std::string_view part : parts) {
        std::shared_ptr<RegNode> next = ChildNamed(*node, part);
        if (!next) {
            if (!Step()) return kCutOffResult;
            node->AddChild(part);
            next = node->children.back();
        }
        node = next;
    }
    key = Open(std::move(node), access);
    return kErrorSuccess;
}

RegResult EmulatedRegistry::CreateKey(RegRoot root, const char* path, RegKey& key) {
    return CreateImpl(root, path, kKeyAllAccess, key);
}

RegResult EmulatedRegistry::CreateKeyEx(RegRoot root, const char* path, AccessMask access,
                                        RegKey& key) {
    return CreateImpl(root, path, access, key);
}

RegResult EmulatedRegistry::QueryValue(const RegKey& key, const char* name, ValueType* type,
                                       void* data, std::uint32_t* dataSize) {
    if (RegResult fault = Begin(RegOp::Query)) return fault;
    OpenKeyEntry* entry = nullptr;
    if (RegResult result = Lookup(key, kKeyQueryValue, entry)) return result;
    if (data != nullptr && dataSize == nullptr) return kErrorInvalidParameter;
    RegValue* value = entry->node->FindValue(NameOrDefault(name));
    if (value == nullptr) return kErrorFileNotFound;
    const AnsiValue shown(*value, IsNt());
    const auto size = static_cast<std::uint32_t>(shown.data.size());
    if (data != nullptr && size > *dataSize) return kErrorMoreData;
    if (data != nullptr && size > 0) std::memcpy(data, shown.data.data(), size);
    if (type != nullptr) *type = value->type;
    if (dataSize != nullptr) *dataSize = size;
    return kErrorSuccess;
}

RegResult EmulatedRegistry::SetValue(const RegKey& key, const char* name, ValueType type,
                                     const void* data, std::uint32_t dataSize) {
    if (RegResult fault = Begin(RegOp::Set)) return fault;
    OpenKeyEntry* entry = nullptr;
    if (RegResult result = Lookup(key, kKeySetValue, entry)) return result;
    if (data == nullptr && dataSize != 0) return kErrorInvalidParameter;
    if (RegResult fault = faults_.OnWrite(entry->node->FullPath())) return fault;
    if (!Step()) return kCutOffResult;
    entry->node->PutValue(NameOrDefault(name), type, static_cast<const std::uint8_t*>(data),
                          dataSize);
    return kErrorSuccess;
}

RegResult EmulatedRegistry::DeleteValue(const RegKey& key, const char* name) {
    if (RegResult fault = Begin(RegOp::DeleteValue)) return fault;
    OpenKeyEntry* entry = nullptr;
    if (RegResult result = Lookup(key, kKeySetValue, entry)) return result;
    if (RegResult fault = faults_.OnWrite(entry->node->FullPath())) return fault;
    return RemoveValueStep(*entry->node, NameOrDefault(name));
}

RegResult EmulatedRegistry::EnumValue(const RegKey& key, std::uint32_t index, char* name,
                                      std::uint32_t* nameLength, ValueType* type, void* data,
                                      std::uint32_t* dataSize) {
    if (RegResult fault = Begin(RegOp::Enum)) return fault;
    OpenKeyEntry* entry = nullptr;
    if (RegResult result = Lookup(key, kKeyQueryValue, entry)) return result;
    if (name == nullptr || nameLength == nullptr) return kErrorInvalidParameter;
    if (data != nullptr && dataSize == nullptr) return kErrorInvalidParameter;
    const std::vector<RegValue>& values = entry->node->values;
    if (index >= values.size()) return kErrorNoMoreItems;
    const RegValue& value = values[index];
    const AnsiValue shown(value, IsNt());
    const auto size = static_cast<std::uint32_t>(shown.data.size());
    if (shown.name.size() >= *nameLength) return kErrorMoreData;
    if (data != nullptr && size > *dataSize) return kErrorMoreData;
    std::memcpy(name, shown.name.c_str(), shown.name.size() + 1);
    *nameLength = static_cast<std::uint32_t>(shown.name.size());
    if (type != nullptr) *type = value.type;
    if (data != nullptr && size > 0) std::memcpy(data, shown.data.data(), size);
    if (dataSize != nullptr) *dataSize = size;
    return kErrorSuccess;
}

RegResult EmulatedRegistry::CopyValue(const RegKey& source, std::uint32_t index,
                                      const RegKey& destination) {
    if (RegResult fault = Begin(RegOp::CopyValue)) return fault;
    OpenKeyEntry* from = nullptr;
    OpenKeyEntry* to = nullptr;
    if (RegResult result = Lookup(source, kKeyQueryValue, from)) return result;
    if (RegResult result = Lookup(destination, kKeySetValue, to)) return result;
    if (index >= from->node->values.size()) return kErrorNoMoreItems;
    // A copy, as the value may be about to be replaced by itself.
    const RegValue value = from->node->values[index];
    // The NT family's copy holds UTF-16: two bytes per unit of the name and text.
    const std::size_t units = IsNt() ? 2 : 1;
    if (value.name.size() > kMaxCopiedNameUnits ||
        value.data.size() * (IsText(value.type) ? units : 1) > kMaxCopiedDataBytes) {
        return kErrorMoreData;
    }
    if (RegResult fault = faults_.OnWrite(to->node->FullPath())) return fault;
    if (!Step()) return kCutOffResult;
    to->node->PutValue(value.name, value.type, value.data.data(),
                       static_cast<std::uint32_t>(value.data.size()));
    return kErrorSuccess;
}

RegResult EmulatedRegistry::CheckAnsiName(const RegKey& key, std::uint32_t index) {
    if (RegResult fault = Begin(RegOp::CheckAnsiName)) return fault;
    OpenKeyEntry* entry = nullptr;
    if (RegResult result = Lookup(key, kKeyQueryValue, entry)) return result;
    if (index >= entry->node->values.size()) return kErrorNoMoreItems;
    return IsNt() && HasNoAnsiForm(entry->node->values[index].name) ? kErrorNoUnicodeTranslation
                                                                    : kErrorSuccess;
}

// Like the shell's copy: subkeys first, each merged recursively, then values;
// stops at the first write that fails.
RegResult EmulatedRegistry::CopyInto(const RegNode& source, RegNode& destination) {
    for (const auto& child : source.children) {
        RegNode* target = destination.FindChild(child->name);
        if (target == nullptr) {
            if (RegResult fault = faults_.OnWrite(destination.FullPath() + "\\" + child->name)) {
                return fault;
            }
            if (!Step()) return kCutOffResult;
            target = &destination.AddChild(child->name);
        }
        if (RegResult result = CopyInto(*child, *target)) return result;
    }
    for (const RegValue& value : source.values) {
        if (RegResult fault = faults_.OnWrite(destination.FullPath())) return fault;
        if (!Step()) return kCutOffResult;
        destination.PutValue(value.name, value.type, value.data.data(),
                             static_cast<std::uint32_t>(value.data.size()));
    }
    return kErrorSuccess;
}

RegResult EmulatedRegistry::CopyTree(const RegKey& source, const RegKey& destination) {
    if (RegResult fault = Begin(RegOp::CopyTree)) return fault;
    if (!IsOpenHere(source) || !IsOpenHere(destination)) return kErrorInvalidParameter;
    OpenKeyEntry* from = nullptr;
    OpenKeyEntry* to = nullptr;
    if (RegResult result = Lookup(source, kKeyQueryValue | kKeyEnumerateSubKeys, from)) {
        return result;
    }
    if (RegResult result = Lookup(destination, kKeySetValue, to)) return result;
    std::shared_ptr<RegNode> snapshot = CloneTree(*from->node);
    return CopyInto(*snapshot, *to->node);
}

RegResult EmulatedRegistry::CopyTree(RegRoot root, const char* sourcePath,
                                     const RegKey& destination) {
    if (RegResult fault = Begin(RegOp::CopyTree)) return fault;
    // The shell refuses a missing destination before it looks at the source.
    if (!IsOpenHere(destination)) return kErrorInvalidParameter;
    OpenKeyEntry* to = nullptr;
    std::shared_ptr<RegNode> node = Find(root, sourcePath);
    if (!node) return kErrorFileNotFound;
    // The shell opens the source with full access.
    if (!Grants(*node, kKeyAllAccess)) return kErrorAccessDenied;
    if (RegResult result = Lookup(destination, kKeySetValue, to)) return result;
    std::shared_ptr<RegNode> snapshot = CloneTree(*node);
    return CopyInto(*snapshot, *to->node);
}

// Children first, as the shell deletes; stops at the first key it cannot delete.
RegResult EmulatedRegistry::DeleteSubtree(RegNode& node) {
    while (!node.children.empty()) {
        if (RegResult result = DeleteSubtree(*node.children.front())) return result;
    }
    if (!Grants(node, kDeleteRight)) return kErrorAccessDenied;
    if (RegResult fault = faults_.OnWrite(node.FullPath())) return fault;
    if (!Step()) return kCutOffResult;
    node.parent->RemoveChild(node);
    return kErrorSuccess;
}

RegResult EmulatedRegistry::DeleteTree(RegRoot root, const char* path) {
    if (RegResult fault = Begin(RegOp::DeleteTree)) return fault;
    std::shared_ptr<RegNode> node = Find(root, path);
    if (!node) return kErrorFileNotFound;
    if (node->parent == nullptr) return kErrorAccessDenied;  // a root stays
    return DeleteSubtree(*node);
}

RegResult EmulatedRegistry::RemoveValueStep(RegNode& node, std::string_view name) {
    if (node.FindValue(name) == nullptr) return kErrorFileNotFound;
    if (!Step()) return kCutOffResult;
    node.RemoveValue(name);
    return kErrorSuccess;
}

RegResult EmulatedRegistry::DeleteValueAt(RegRoot root, const char* path, const char* name) {
    if (RegResult fault = Begin(RegOp::DeleteValueAt)) return fault;
    std::shared_ptr<RegNode> node = Find(root, path);
    if (!node) return kErrorFileNotFound;
    if (!Grants(*node, kKeySetValue)) return kErrorAccessDenied;
    if (RegResult fault = faults_.OnWrite(node->FullPath())) return fault;
    return RemoveValueStep(*node, NameOrDefault(name));
}

namespace {

void Collect(const RegNode& node, std::vector<std::string>* keys,
             std::vector<std::pair<std::string, RegValue>>* values) {
    const std::string path = node.FullPath();
    if (keys != nullptr && node.parent != nullptr) keys->push_back(path);
    if (values != nullptr) {
        for (const RegValue& value : node.values) values->emplace_back(path, value);
    }
    for (const auto& child : node.children) Collect(*child, keys, values);
}

}  // namespace

std::vector<std::string> EmulatedRegistry::Keys() const {
    std::vector<std::string> keys;
    Collect(*machine_, &keys, nullptr);
    Collect(*user_, &keys, nullptr);
    return keys;
}

std::vector<std::pair<std::string, RegValue>> EmulatedRegistry::Values() const {
    std::vector<std::pair<std::string, RegValue>> values;
    Collect(*machine_, nullptr, &values);
    Collect(*user_, nullptr, &values);
    return values;
}

bool EmulatedRegistry::LimitAccess(RegRoot root, const char* path, AccessMask grantable) {
    std::shared_ptr<RegNode> node = Find(root, path);
    if (!node) return false;
    node->grantable = grantable;
    return true;
}

const std::string* EmulatedRegistry::HiveFile(const char* path) const {
    for (const auto& [name, content] : hiveFiles_) {
        if (NamesEqual(name, NameOrDefault(path))) return &content;
    }
    return nullptr;
}

}  // namespace platform::emulated
