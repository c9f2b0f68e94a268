// What New Driver takes from its place on a generated machine, in every view:
// the driver files in each view's system and driver folders, the SharedDLLs
// values under the names the program forms, the Run values of startup
// programs. A round trip that is to prove both views are swept checks that
// none of them stands after New Driver: giving back what was never put aside
// proves nothing.
#pragma once

#include <string>
#include <vector>

#include "tests/machines/machine_description.h"
#include "tests/machines/machine_generator.h"

namespace test {

struct Findings {
    std::vector<FileItem> files;
    std::vector<RegistryItem> values;
};

Findings ToBePutAside(const MachineDescription& machine, const MachineLayout& layout);

// The lines a Test must show for the findings of the native view of a 64-bit
// machine (none on a machine of one view), with `oldDriverOf` before a label
// in a file line: every finding New Driver puts aside there has its line,
// listed from either view, but a Run value no view lists, whose name or data
// does not fit the buffers.
std::vector<std::string> NativeFindingLines(const MachineDescription& machine,
                                            const MachineLayout& layout, const char* oldDriverOf);

}  // namespace test
