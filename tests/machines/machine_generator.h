// Random machines of either family for the round trip of New Driver then Old
// Driver: driver files in the driver and system folders (some read-only),
// their SharedDLLs values and service keys (some in ControlSet002), Run
// values of both roots, the CD-ROM class filters, the ASPI warning entry, and
// Startup folders with entries and subfolders. The same seed gives the same
// machine in both builds; only the folders differ, by the machine's layout.
#pragma once

#include <random>
#include <string>

#include "platform/platform_kind.h"
#include "tests/machines/machine_description.h"

namespace test {

struct MachineLayout {
    std::string systemFolder;  // without a trailing backslash
    std::string driverFolder;
    std::string userStartup;
    std::string commonStartup;
};

// Below this folder lie both Startup folders of a generated machine, so a
// comparison of the whole folder covers them and their "_Disabled" siblings.
inline constexpr const char* kGeneratedDocuments = "C:\\Documents";

// The Startup folders of generated machines, for a layout.
MachineLayout WithGeneratedStartupFolders(const std::string& systemFolder,
                                          const std::string& driverFolder);

class MachineGenerator {
  public:
    MachineGenerator(unsigned seed, platform::PlatformKind kind, MachineLayout layout)
        : random_(seed), kind_(kind), layout_(std::move(layout)) {}

    MachineDescription Generate();
    // A generated machine with `entries` more Startup entries in each Startup
    // folder and as many more values in each Run key, most of them findings:
    // enough that a sweep of the real program lasts some seconds.
    MachineDescription GenerateLarge(int entries);

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }
    std::string Fragment();
    void RandomValue(MachineDescription& machine, platform::RegRoot root, const std::string& key,
                     const std::string& name);
    void File(MachineDescription& machine, const std::string& path, const char* attributes);

    std::mt19937 random_;
    platform::PlatformKind kind_;
    MachineLayout layout_;
    int files_ = 0;
};

}  // namespace test
