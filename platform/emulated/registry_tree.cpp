// Name comparison and the tree operations of the in-memory registry.
#include "platform/emulated/registry_tree.h"

#include <algorithm>

#include "platform/text_case_1252.h"

namespace platform::emulated {

bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!EqualNoCase1252(a[i], b[i])) return false;
    }
    return true;
}

RegNode* RegNode::FindChild(std::string_view childName) const {
    for (const auto& child : children) {
        if (NamesEqual(child->name, childName)) return child.get();
    }
    return nullptr;
}

static std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(FoldCase1252(static_cast<unsigned char>(c)));
    return folded;
}

RegValue* RegNode::FindValue(std::string_view valueName) {
    const auto it = valueIndex_.find(FoldName(valueName));
    return it == valueIndex_.end() ? nullptr : &values[it->second];
}

RegNode& RegNode::AddChild(std::string_view childName) {
    auto child = std::make_shared<RegNode>();
    child->name = std::string(childName);
    child->parent = this;
    children.push_back(child);
    return *child;
}

void RegNode::PutValue(std::string_view valueName, ValueType type, const std::uint8_t* data,
                       std::uint32_t size) {
    RegValue* value = FindValue(valueName);
    if (value == nullptr) {
        valueIndex_.emplace(FoldName(valueName), values.size());
        values.push_back(RegValue{std::string(valueName), type, {}});
        value = &values.back();
    }
    value->type = type;
    value->data.assign(data, data + size);
}

bool RegNode::RemoveValue(std::string_view valueName) {
    const auto found = valueIndex_.find(FoldName(valueName));
    if (found == valueIndex_.end()) return false;
    const std::size_t position = found->second;
    valueIndex_.erase(found);
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(position));
    // Every later value moved down by one, as enumeration indexes do.
    for (auto& entry : valueIndex_) {
        if (entry.second > position) --entry.second;
    }
    return true;
}

static void MarkDeleted(RegNode& node) {
    node.deleted = true;
    for (auto& child : node.children) MarkDeleted(*child);
}

void RegNode::RemoveChild(const RegNode& child) {
    auto it = std::find_if(children.begin(), children.end(),
                           [&](const auto& c) { return c.get() == &child; });
    if (it == children.end()) return;
    MarkDeleted(**it);
    (*it)->parent = nullptr;
    children.erase(it);
}

std::string RegNode::FullPath() const {
    if (parent == nullptr) return name;
    std::string path = parent->FullPath();
    path += '\\';
    path += name;
    return path;
}

std::shared_ptr<RegNode> CloneTree(const RegNode& node) {
    auto copy = std::make_shared<RegNode>();
    copy->name = node.name;
    copy->values = node.values;
    copy->valueIndex_ = node.valueIndex_;
    copy->grantable = node.grantable;
    for (const auto& child : node.children) {
        auto childCopy = CloneTree(*child);
        childCopy->parent = copy.get();
        copy->children.push_back(childCopy);
    }
    return copy;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        std::size_t cut = path.find('\\');
        std::string_view part = path.substr(0, cut);
        if (!part.empty()) parts.push_back(part);
        if (cut == std::string_view::npos) break;
        path.remove_prefix(cut + 1);
    }
    return parts;
}

}  // namespace platform::emulated
