// The registry contract suite's backend on the host: an emulated NT machine.
#include "platform/emulated/ansi_form.h"
#include "platform/emulated/emulated_registry.h"
#include "tests/contract/registry_backend.h"

namespace contract {

namespace {

platform::emulated::EmulatedRegistry& Machine() {
    static platform::emulated::EmulatedRegistry registry(platform::PLATFORM_NT);
    return registry;
}

}  // namespace

platform::Registry& RegistryUnderTest() { return Machine(); }

// The machine is built as its descriptions build it: marks in place of the
// characters, written past the A calls' view.
void SetValueWithoutAnsiForm(const char* path, const char16_t* name, const char16_t* text) {
    using platform::emulated::WithoutAnsiForm;
    platform::RegKey key;
    if (Machine().CreateKey(platform::RegRoot::CurrentUser, path, key) != platform::kErrorSuccess) {
        return;
    }
    const std::string data = WithoutAnsiForm(text);
    Machine().SetValue(key, WithoutAnsiForm(name).c_str(), platform::kRegSz, data.c_str(),
                       static_cast<std::uint32_t>(data.size() + 1));
}

std::vector<std::string> ExactValues(const char* path) {
    const std::string keyPath = Machine().FullPathOf(platform::RegRoot::CurrentUser, path);
    std::vector<std::string> values;
    for (const auto& [key, value] : Machine().Values()) {
        if (key != keyPath) continue;
        values.push_back(value.name + "|" + std::to_string(value.type) + "|" +
                         std::string(value.data.begin(), value.data.end()));
    }
    return values;
}

std::string NewHiveFilePath() {
    static int count = 0;
    return "C:\\contract-hive-" + std::to_string(++count) + ".dat";
}

}  // namespace contract
