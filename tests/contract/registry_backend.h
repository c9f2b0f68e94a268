// The registry under test in the registry contract suite: the emulated
// machine's on the host, the real one in the Windows build (run under Wine).
#pragma once

#include <string>

#include "platform/registry.h"

namespace contract {

platform::Registry& RegistryUnderTest();
// A path where no file exists yet, for saving a hive file.
std::string NewHiveFilePath();

}  // namespace contract
