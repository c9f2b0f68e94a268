// Writes a machine description into the real registry and drive through the
// platform's own calls, apart from the backend under test. A description is
// the machine as it is: on 64-bit Windows it is written in the native view.
#pragma once

#include <windows.h>

#include <string>

#include "tests/machines/machine_description.h"

namespace winetest {

HKEY RootKey(platform::RegRoot root);
// Attributes from letters of RHSA; "-" is none.
DWORD AttributesOf(const std::string& letters);

// Empty when every item was written; otherwise the first that was not.
std::string SeedMachine(const test::MachineDescription& machine);

// Whether a file or value of a description stands at its place.
bool Stands(const test::FileItem& file);
bool Stands(const test::RegistryItem& value);

}  // namespace winetest
