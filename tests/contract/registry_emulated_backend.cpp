// The registry contract suite's backend on the host: an emulated NT machine.
#include "platform/emulated/emulated_registry.h"
#include "tests/contract/registry_backend.h"

namespace contract {

platform::Registry& RegistryUnderTest() {
    static platform::emulated::EmulatedRegistry registry(platform::PLATFORM_NT);
    return registry;
}

std::string NewHiveFilePath() {
    static int count = 0;
    return "C:\\contract-hive-" + std::to_string(++count) + ".dat";
}

}  // namespace contract
