// The registry test machine.
#include "registry_machine.h"

#include <doctest/doctest.h>

namespace test {

using platform::RegKey;

RegistryMachine::RegistryMachine(platform::PlatformKind kind, std::string_view reg,
                                 int currentControlSet)
    : registry(kind, currentControlSet),
      report(sweep::ReportBuffer::Allocate()),
      context{registry, files, desktop, *report, {kTestHeader, "NONE\r\n", "Old driver of "},
              kind, text} {
    REQUIRE(registry.LoadRegFile("REGEDIT4\r\n\r\n" + std::string(reg)));
    report->Restart(kTestHeader);
}

std::string RegistryMachine::ReportLines() const {
    return std::string(report->Text()).substr(std::string_view(kTestHeader).size());
}

bool RegistryMachine::KeyExists(platform::RegRoot root, const char* path) {
    RegKey key;
    return registry.OpenKey(root, path, platform::kKeyRead, key) == platform::kErrorSuccess;
}

std::optional<StoredValue> RegistryMachine::Value(platform::RegRoot root, const char* path,
                                                  const char* name) {
    RegKey key;
    if (registry.OpenKey(root, path, platform::kKeyRead, key) != platform::kErrorSuccess) {
        return std::nullopt;
    }
    std::uint32_t size = 0;
    platform::ValueType type = 0;
    if (registry.QueryValue(key, name, &type, nullptr, &size) != platform::kErrorSuccess) {
        return std::nullopt;
    }
    StoredValue value{type, std::vector<std::uint8_t>(size)};
    REQUIRE(registry.QueryValue(key, name, &type, value.data.data(), &size) ==
            platform::kErrorSuccess);
    return value;
}

std::vector<std::string> RegistryMachine::ValueNames(platform::RegRoot root, const char* path) {
    std::vector<std::string> names;
    RegKey key;
    if (registry.OpenKey(root, path, platform::kKeyRead, key) != platform::kErrorSuccess) {
        return names;
    }
    for (std::uint32_t i = 0;; ++i) {
        char name[16384];
        std::uint32_t length = sizeof name;
        if (registry.EnumValue(key, i, name, &length, nullptr, nullptr, nullptr) !=
            platform::kErrorSuccess) {
            break;
        }
        names.emplace_back(name, length);
    }
    return names;
}

StoredValue Sz(std::string_view text) {
    StoredValue value{platform::kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    return value;
}

StoredValue Dword(std::uint32_t number) {
    return {platform::kRegDword,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

}  // namespace test
