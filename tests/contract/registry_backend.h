// The registry under test in the registry contract suite: the emulated
// machine's on the host, the real one in the Windows build (run under Wine).
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace contract {

platform::Registry& RegistryUnderTest();
// A path where no file exists yet, for saving a hive file.
std::string NewHiveFilePath();

// Sets a text value below HKCU whose name and text hold characters without a
// form in the system's ANSI code page (no ASCII in them), through what the
// registry has for them: the W calls of Windows, the emulated machine's marks.
void SetValueWithoutAnsiForm(const char* path, const char16_t* name, const char16_t* text);
// Every value of the key below HKCU, its name, type and bytes exactly as the
// registry holds them, one text each; the order is the registry's.
std::vector<std::string> ExactValues(const char* path);

}  // namespace contract
