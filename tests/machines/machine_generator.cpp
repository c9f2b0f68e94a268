// The random machine generator.
#include "tests/machines/machine_generator.h"

#include "sweep/conflict_catalogue.h"

namespace test {
namespace {

using platform::RegRoot;

constexpr RegRoot kMachine = RegRoot::LocalMachine;
constexpr const char* kSoftwareKey = "Software";
// Below a view's Software key.
constexpr const char* kSharedDlls = "\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr const char* kRun = "\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kShellFolders = "\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kCdRomClass =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E965-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kWarnVerDlls = "System\\CurrentControlSet\\Control\\SessionManager\\WarnVerDLLs";
// The extension a driver file name ends in, cut off to give its service key.
constexpr std::size_t kExtensionLength = 4;
// How many Run values a generated Run key holds at most.
constexpr int kMostRunValues = 6;
// Characters of a Run value's text that no 260-byte buffer takes.
constexpr std::size_t kTooLongText = 300;

}  // namespace

MachineLayout WithGeneratedStartupFolders(const std::string& systemFolder,
                                          const std::string& driverFolder) {
    const std::string documents = kGeneratedDocuments;
    return {systemFolder, driverFolder, documents + "\\User\\Start Menu\\StartUp",
            documents + "\\All Users\\StartUp", ""};
}

std::vector<ViewPlaces> ViewsOf(const MachineLayout& layout) {
    if (!layout.HasTwoViews()) {
        return {{layout.systemFolder, layout.driverFolder, kSoftwareKey, false}};
    }
    // The driver folder keeps its place below the system folder in both views.
    const std::string belowSystem = layout.driverFolder.substr(layout.systemFolder.size());
    return {{layout.wow64SystemFolder, layout.wow64SystemFolder + belowSystem, kWow64SoftwareKey,
             false},
            {layout.systemFolder, layout.driverFolder, kSoftwareKey, true}};
}

std::string MachineGenerator::Fragment() {
    return sweep::StartupFragments[Pick(0, sweep::kStartupFragmentCount - 1)];
}

void MachineGenerator::RandomValue(MachineDescription& machine, RegRoot root,
                                   const std::string& key, const std::string& name) {
    switch (Pick(0, 3)) {
        case 0:
            machine.Value(root, key, name, platform::kRegSz,
                          Sz("text " + std::to_string(Pick(0, 999))));
            return;
        case 1:
            machine.Value(root, key, name, platform::kRegDword,
                          Dword(std::stoul(std::to_string(Pick(1000, 9999)), nullptr, 16)));
            return;
        case 2:
            machine.Value(root, key, name, platform::kRegExpandSz, Sz("%A%"));
            return;
        default:
            machine.Value(root, key, name, platform::kRegBinary, "\x01\x02\x03");
            return;
    }
}

void MachineGenerator::File(MachineDescription& machine, const std::string& path,
                            const char* attributes) {
    machine.File(path, attributes, "f" + std::to_string(++files_));
}

void MachineGenerator::DriverFile(MachineDescription& machine, const ViewPlaces& view,
                                  bool driverFolder, const std::string& fileName) {
    const std::string onDisk =
        (driverFolder ? view.driverFolder : view.systemFolder) + "\\" + fileName;
    // SharedDLLs names the file as the program of its view names it.
    const std::string named =
        (driverFolder ? layout_.driverFolder : layout_.systemFolder) + "\\" + fileName;
    const std::string sharedDlls = view.software + kSharedDlls;
    File(machine, onDisk, Chance(4) ? "R" : "-");
    if (Chance(2)) {
        machine.Value(kMachine, sharedDlls, named, platform::kRegDword,
                      Dword(static_cast<unsigned long>(Pick(1, 9))));
    }
    // A 32-bit installer that named the file where it lies on the disk: no
    // name the sweep forms, so it stays where it is.
    if (layout_.HasTwoViews() && !view.native && Chance(3)) {
        machine.Value(kMachine, sharedDlls, onDisk, platform::kRegDword, Dword(1));
    }
}

void MachineGenerator::ServiceKey(MachineDescription& machine, const std::string& fileName) {
    const std::string stem = fileName.substr(0, fileName.size() - kExtensionLength);
    const char* set =
        kind_ == platform::PLATFORM_NT && Chance(3) ? "ControlSet002" : "CurrentControlSet";
    const std::string prefix = Chance(2) ? "Services\\" : "Services\\VxD\\";
    const std::string key = "System\\" + std::string(set) + "\\" + prefix + stem;
    machine.Key(kMachine, key);
    for (int v = Pick(0, 3); v > 0; --v) RandomValue(machine, kMachine, key, "V" + std::to_string(v));
    if (Chance(3)) machine.Value(kMachine, key + "\\Enum", "Count", platform::kRegDword, Dword(1));
}

// On 64-bit Windows kernel drivers live in the native driver folder; 32-bit
// installers leave libraries, and now and then a driver, in their own view;
// some products install the same file in both views.
void MachineGenerator::DriverRowInBothViews(MachineDescription& machine) {
    const sweep::DriverEntry& row = sweep::DriverTable[Pick(0, sweep::kDriverTableRows - 1)];
    const ViewPlaces& program = views_[0];
    const ViewPlaces& native = views_[1];
    switch (Pick(0, 5)) {
        case 0:
        case 1:
            DriverFile(machine, native, true, row.fileName);
            break;
        case 2:
            DriverFile(machine, native, false, row.fileName);
            break;
        case 3:
            DriverFile(machine, program, false, row.fileName);
            break;
        case 4:
            DriverFile(machine, program, true, row.fileName);
            break;
        default: {
            const bool driverFolder = Chance(2);
            DriverFile(machine, program, driverFolder, row.fileName);
            DriverFile(machine, native, driverFolder, row.fileName);
        }
    }
    if (Chance(2)) ServiceKey(machine, row.fileName);
}

void MachineGenerator::DriverRow(MachineDescription& machine) {
    if (layout_.HasTwoViews()) {
        DriverRowInBothViews(machine);
        return;
    }
    const sweep::DriverEntry& row = sweep::DriverTable[Pick(0, sweep::kDriverTableRows - 1)];
    DriverFile(machine, views_[0], Chance(2), row.fileName);
    if (Chance(2)) ServiceKey(machine, row.fileName);
}

std::vector<MachineGenerator::RunKey> MachineGenerator::RunKeys() const {
    std::vector<RunKey> keys;
    for (const ViewPlaces& view : views_) keys.push_back({kMachine, view.software + kRun, view.native});
    keys.push_back({RegRoot::CurrentUser, std::string(kSoftwareKey) + kRun, false});
    return keys;
}

// The native Run key takes some names of the program's own, at the same
// place in the list, with data of its own, which may be the same data.
void MachineGenerator::RunValues(MachineDescription& machine, const RunKey& run,
                                 std::map<int, std::string>& programNames) {
    machine.Key(run.root, run.key);
    for (int i = Pick(0, kMostRunValues); i > 0; --i) {
        const auto programName = programNames.find(i);
        std::string name;
        if (run.native && programName != programNames.end() && Chance(2)) {
            name = programName->second;
        } else {
            name = Chance(2) ? Fragment() + "X" + std::to_string(i) : "Keep" + std::to_string(i);
        }
        if (run.root == kMachine && !run.native) programNames[i] = name;
        // On 64-bit Windows a 32-bit program's command line now and then too
        // long for any view to list, maybe under a name the native key shares.
        if (run.root == kMachine && !run.native && layout_.HasTwoViews() && Chance(4)) {
            machine.Value(run.root, run.key, name, platform::kRegSz,
                          Sz("C:\\" + std::string(kTooLongText, 'N')));
        } else {
            RandomValue(machine, run.root, run.key, name);
        }
    }
}

MachineDescription MachineGenerator::Generate() {
    MachineDescription machine;
    for (const ViewPlaces& view : views_) {
        machine.Value(kMachine, view.software + kSharedDlls, "C:\\unrelated\\shared.dll",
                      platform::kRegDword, Dword(3));
    }

    for (int i = Pick(0, 12); i > 0; --i) DriverRow(machine);

    std::map<int, std::string> programNames;
    for (const RunKey& run : RunKeys()) RunValues(machine, run, programNames);

    if (kind_ == platform::PLATFORM_NT) {
        machine.Value(kMachine, kCdRomClass, "Class", platform::kRegSz, Sz("CDROM"));
        const std::string pxHelp("PxHelp20\0\0", 10);
        if (Chance(2)) machine.Value(kMachine, kCdRomClass, "LowerFilters", platform::kRegMultiSz, pxHelp);
        if (Chance(2)) machine.Value(kMachine, kCdRomClass, "UpperFilters", platform::kRegMultiSz, std::string("A\0\0", 3));
        if (Chance(3)) machine.Value(kMachine, kCdRomClass, "lowerfilters", platform::kRegMultiSz, std::string("B\0\0", 3));
    }
    machine.Key(kMachine, kWarnVerDlls);
    if (Chance(2)) machine.Value(kMachine, kWarnVerDlls, "WINASPI.DLL", platform::kRegSz, Sz("4.60"));
    machine.Value(kMachine, kWarnVerDlls, "OTHER.DLL", platform::kRegSz, Sz("1.0"));

    // The program reads the common Startup folder in its own view.
    machine.Value(RegRoot::CurrentUser, std::string(kSoftwareKey) + kShellFolders, "Startup",
                  platform::kRegSz, Sz(layout_.userStartup));
    machine.Value(kMachine, views_[0].software + kShellFolders, "Common Startup", platform::kRegSz,
                  Sz(layout_.commonStartup));
    for (const std::string& folder : {layout_.userStartup, layout_.commonStartup}) {
        machine.Folder(folder);
        for (int i = Pick(0, 5); i > 0; --i) {
            const std::string sub = Chance(3) ? "\\Sub" + std::to_string(Pick(1, 2)) : "";
            const std::string name =
                (Chance(2) ? Fragment() : std::string("Plain")) + std::to_string(i) + ".lnk";
            File(machine, folder + sub + "\\" + name, Chance(4) ? "RH" : "-");
        }
    }
    return machine;
}

MachineDescription MachineGenerator::GenerateLarge(int entries) {
    MachineDescription machine = Generate();
    const std::vector<RunKey> runKeys = RunKeys();
    for (int i = 0; i < entries; ++i) {
        const std::string number = std::to_string(i);
        for (const RunKey& run : runKeys) {
            RandomValue(machine, run.root, run.key, (Chance(4) ? "Keep" : Fragment()) + " Bulk" + number);
        }
        for (const std::string& folder : {layout_.userStartup, layout_.commonStartup}) {
            const std::string sub = Chance(4) ? "\\Bulk" + std::to_string(Pick(1, 3)) : "";
            const std::string name = (Chance(4) ? std::string("Plain") : Fragment()) + number;
            File(machine, folder + sub + "\\" + name + ".lnk", Chance(4) ? "RH" : "-");
        }
    }
    return machine;
}

}  // namespace test
