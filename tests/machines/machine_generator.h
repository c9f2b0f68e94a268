// Random machines of any family for the round trip of New Driver then Old
// Driver: driver files in the driver and system folders (some read-only),
// their SharedDLLs values and service keys (some in ControlSet002), Run
// values of both roots, the CD-ROM class filters, the ASPI warning entry, and
// Startup folders with entries and subfolders. The same seed gives the same
// machine in both builds; only the folders differ, by the machine's layout.
//
// A 64-bit machine is described as it is, in its native view: what the
// 32-bit program sees lies in SysWOW64 and below HKLM\Software\Wow6432Node.
// It has driver files and SharedDLLs values in both views, some of them in
// both at once, and a Run key in each view whose values share some names;
// some of the program's own values are too long for any view to list.
#pragma once

#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/platform_kind.h"
#include "tests/machines/machine_description.h"

namespace test {

struct MachineLayout {
    // The folders as the program names them, without a trailing backslash:
    // on 64-bit Windows the same text in both views.
    std::string systemFolder;
    std::string driverFolder;
    std::string userStartup;
    std::string commonStartup;
    // On 64-bit Windows, where the program's system folder lies on the disk
    // (SysWOW64); empty on a machine of one view.
    std::string wow64SystemFolder;

    bool HasTwoViews() const { return !wow64SystemFolder.empty(); }
};

// The key below HKLM that holds the 32-bit view's HKLM\Software.
inline constexpr const char* kWow64SoftwareKey = "Software\\Wow6432Node";
inline constexpr const char* kWow64SystemFolderName = "SysWOW64";

// Below this folder lie both Startup folders of a generated machine, so a
// comparison of the whole folder covers them and their "_Disabled" siblings.
inline constexpr const char* kGeneratedDocuments = "C:\\Documents";

// The Startup folders of generated machines, for a layout.
MachineLayout WithGeneratedStartupFolders(const std::string& systemFolder,
                                          const std::string& driverFolder);

// One view of a machine as the disk and the native registry hold it.
struct ViewPlaces {
    std::string systemFolder;  // on the disk
    std::string driverFolder;  // on the disk
    std::string software;      // HKLM's Software key of the view, below HKLM
    bool native = false;       // the native view of 64-bit Windows
};

// The program's own view first, then on 64-bit Windows the native view.
std::vector<ViewPlaces> ViewsOf(const MachineLayout& layout);

class MachineGenerator {
  public:
    MachineGenerator(unsigned seed, platform::PlatformKind kind, MachineLayout layout)
        : random_(seed), kind_(kind), layout_(std::move(layout)), views_(ViewsOf(layout_)) {}

    MachineDescription Generate();
    // A generated machine with `entries` more Startup entries in each Startup
    // folder and as many more values in each Run key, most of them findings:
    // enough that a sweep of the real program lasts some seconds.
    MachineDescription GenerateLarge(int entries);

  private:
    struct RunKey {
        platform::RegRoot root;
        std::string key;
        bool native;
    };

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }
    std::string Fragment();
    void RandomValue(MachineDescription& machine, platform::RegRoot root, const std::string& key,
                     const std::string& name);
    void File(MachineDescription& machine, const std::string& path, const char* attributes);
    void DriverRow(MachineDescription& machine);
    void DriverRowInBothViews(MachineDescription& machine);
    // A row's file in one folder of one view, maybe with its SharedDLLs value.
    void DriverFile(MachineDescription& machine, const ViewPlaces& view, bool driverFolder,
                    const std::string& fileName);
    void ServiceKey(MachineDescription& machine, const std::string& fileName);
    void RunValues(MachineDescription& machine, const RunKey& run,
                   std::map<int, std::string>& programNames);
    std::vector<RunKey> RunKeys() const;

    std::mt19937 random_;
    platform::PlatformKind kind_;
    MachineLayout layout_;
    std::vector<ViewPlaces> views_;
    int files_ = 0;
};

}  // namespace test
