// The keys and values of the in-memory registry. Names keep the case they were
// created with and compare without it; values keep their type number and
// exact bytes, in the order they were first set.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"

namespace platform::emulated {

bool NamesEqual(std::string_view a, std::string_view b);

struct RegValue {
    std::string name;
    ValueType type = kRegNone;
    std::vector<std::uint8_t> data;
};

struct RegNode {
    std::string name;
    RegNode* parent = nullptr;
    // In the order they were first set; change them through PutValue and
    // RemoveValue only, which keep the index by name in step.
    std::vector<RegValue> values;
    std::vector<std::shared_ptr<RegNode>> children;
    bool deleted = false;                  // set on a whole deleted subtree
    AccessMask grantable = kKeyAllAccess;  // rights an open may ask for

    RegNode* FindChild(std::string_view childName) const;
    RegValue* FindValue(std::string_view valueName);
    RegNode& AddChild(std::string_view childName);
    // Sets or replaces a value; a replaced value keeps its name and its place.
    void PutValue(std::string_view valueName, ValueType type, const std::uint8_t* data,
                  std::uint32_t size);
    bool RemoveValue(std::string_view valueName);
    // Detaches a child and marks its subtree deleted, so open handles see it.
    void RemoveChild(const RegNode& child);
    // "HKEY_LOCAL_MACHINE\System\..." for reports of the machine's content.
    std::string FullPath() const;

private:
    friend std::shared_ptr<RegNode> CloneTree(const RegNode& node);
    // Folded name to position in `values`: a lookup by name stays one probe
    // however many values a key holds, as on Windows.
    std::unordered_map<std::string, std::size_t> valueIndex_;
};

// A deep copy that belongs to no tree (parent null), for copying a key onto
// a part of itself without chasing its own growth.
std::shared_ptr<RegNode> CloneTree(const RegNode& node);

// The parts of a path between backslashes, empty parts dropped.
std::vector<std::string_view> SplitPath(std::string_view path);

}  // namespace platform::emulated
