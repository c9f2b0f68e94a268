// The random machine generator.
#include "tests/machines/machine_generator.h"

#include "sweep/conflict_catalogue.h"

namespace test {
namespace {

using platform::RegRoot;

constexpr RegRoot kMachine = RegRoot::LocalMachine;
constexpr const char* kSharedDlls = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kCdRomClass =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E965-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kWarnVerDlls = "System\\CurrentControlSet\\Control\\SessionManager\\WarnVerDLLs";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
// The extension a driver file name ends in, cut off to give its service key.
constexpr std::size_t kExtensionLength = 4;

}  // namespace

MachineLayout WithGeneratedStartupFolders(const std::string& systemFolder,
                                          const std::string& driverFolder) {
    const std::string documents = kGeneratedDocuments;
    return {systemFolder, driverFolder, documents + "\\User\\Start Menu\\StartUp",
            documents + "\\All Users\\StartUp"};
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

MachineDescription MachineGenerator::Generate() {
    MachineDescription machine;
    machine.Value(kMachine, kSharedDlls, "C:\\unrelated\\shared.dll", platform::kRegDword,
                  Dword(3));

    for (int i = Pick(0, 12); i > 0; --i) {
        const sweep::DriverEntry& row = sweep::DriverTable[Pick(0, sweep::kDriverTableRows - 1)];
        const std::string folder = Chance(2) ? layout_.driverFolder : layout_.systemFolder;
        File(machine, folder + "\\" + row.fileName, Chance(4) ? "R" : "-");
        if (Chance(2)) {
            machine.Value(kMachine, kSharedDlls, folder + "\\" + row.fileName, platform::kRegDword,
                          Dword(static_cast<unsigned long>(Pick(1, 9))));
        }
        if (Chance(2)) {
            const std::string name = row.fileName;
            const std::string stem = name.substr(0, name.size() - kExtensionLength);
            const char* set =
                kind_ == platform::PLATFORM_NT && Chance(3) ? "ControlSet002" : "CurrentControlSet";
            const std::string prefix = Chance(2) ? "Services\\" : "Services\\VxD\\";
            const std::string key = "System\\" + std::string(set) + "\\" + prefix + stem;
            machine.Key(kMachine, key);
            for (int v = Pick(0, 3); v > 0; --v) RandomValue(machine, kMachine, key, "V" + std::to_string(v));
            if (Chance(3)) machine.Value(kMachine, key + "\\Enum", "Count", platform::kRegDword, Dword(1));
        }
    }

    for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
        machine.Key(root, kRun);
        for (int i = Pick(0, 6); i > 0; --i) {
            const std::string name =
                Chance(2) ? Fragment() + "X" + std::to_string(i) : "Keep" + std::to_string(i);
            RandomValue(machine, root, kRun, name);
        }
    }

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

    machine.Value(RegRoot::CurrentUser, kShellFolders, "Startup", platform::kRegSz,
                  Sz(layout_.userStartup));
    machine.Value(kMachine, kShellFolders, "Common Startup", platform::kRegSz,
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
    for (int i = 0; i < entries; ++i) {
        const std::string number = std::to_string(i);
        for (RegRoot root : {RegRoot::LocalMachine, RegRoot::CurrentUser}) {
            RandomValue(machine, root, kRun, (Chance(4) ? "Keep" : Fragment()) + " Bulk" + number);
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
