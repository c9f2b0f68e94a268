// The real machine of a scratch prefix and what a round trip leaves on it.
#include "tests/wine_round_trip/real_sweep_machine.h"

#include <windows.h>

#include <cstdlib>

#include "app/win/platform_version.h"
#include "platform/win32/wow64.h"
#include "sweep/conflict_catalogue.h"
#include "sweep/run_sweep.h"
#include "tests/wine_round_trip/native_view.h"

namespace winetest {
namespace {

constexpr const char* kControlSets[] = {"currentcontrolset", "controlset001", "controlset002",
                                        "controlset003"};
constexpr const char* kWarnVerDlls = "\\control\\sessionmanager\\warnverdlls";
constexpr const char* kWarnVerDllsTwin = "\\oldcontrol\\sessionmanager\\warnverdlls";
constexpr const char* kWinAspiValue = "WINASPI.DLL";
constexpr const char* kSystemKeyPlace = "hklm\\system\\";
constexpr const char* kTwinPrefix = "old";
// Below each view's Software key.
constexpr const char* kCurrentVersionBelowSoftware = "\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kOldSharedDllsBelowSoftware = "\\microsoft\\windows\\currentversion\\oldshareddlls";
constexpr const char* kMachinePlace = "hklm\\";
constexpr const char* kHiveFile = "\\vl_share.dat";
constexpr const char* kBackupFolder = "\\dravolin";
constexpr const char* kSiblingSuffix = "_Disabled";
constexpr const char* kCdRomClassKey = "Control\\Class\\{4D36E965-E325-11CE-BFC1-08002BE10318}";
// The extension a driver file name ends in, cut off to give its service key.
constexpr std::size_t kExtensionLength = 4;

std::string SystemFolder() {
    char path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

bool AtOrBelow(const std::string& place, const std::string& top) {
    return place == top || StartsWith(place, top + "\\") || StartsWith(place, top + " :: ");
}

// The control set a registry place lies in, with its backslashes, or "".
std::string ControlSetOf(const std::string& place) {
    for (const char* set : kControlSets) {
        const std::string start = std::string(kSystemKeyPlace) + set;
        if (AtOrBelow(place, start)) return start;
    }
    return "";
}

bool LeftByDesign(const Difference& difference, const MachinePicture& before,
                  const RealSweepMachine& machine) {
    const std::string& place = difference.place;
    const std::string set = ControlSetOf(place);
    if (difference.before && !difference.after) {
        // The ASPI warning entry, put aside by every sweep and never brought back.
        return !set.empty() && difference.before->kind == PictureEntry::kValue &&
               StartsWith(place, set + kWarnVerDlls + " :: ") &&
               difference.before->name.find(kWinAspiValue) != std::string::npos;
    }
    if (difference.before) return false;  // nothing may change
    const PictureEntry& added = *difference.after;
    if (!set.empty() && AtOrBelow(place, set + kWarnVerDllsTwin)) {
        // The twin of the warning key holds what the live key held.
        const std::string live = set + kWarnVerDlls + place.substr(set.size() + std::string(kWarnVerDllsTwin).size());
        const auto original = before.find(live);
        return original != before.end() && original->second.what == added.what;
    }
    const std::vector<test::ViewPlaces> views = test::ViewsOf(machine.Layout());
    if (added.kind == PictureEntry::kKey) {
        if (!set.empty() && StartsWith(place, set + "\\" + kTwinPrefix)) return true;
        for (const test::ViewPlaces& view : views) {
            if (place == kMachinePlace + Lower(view.software) + kOldSharedDllsBelowSoftware) return true;
        }
        return false;
    }
    const std::string path = Lower(added.path);
    for (const test::ViewPlaces& view : views) {
        const std::string system = Lower(view.systemFolder);
        const bool backupFolder =
            path == system + kBackupFolder || path == Lower(view.driverFolder) + kBackupFolder;
        if (added.kind == PictureEntry::kFile ? path == system + kHiveFile : backupFolder) return true;
    }
    if (added.kind == PictureEntry::kFile) return false;
    for (const std::string& startup : {machine.Layout().userStartup, machine.Layout().commonStartup}) {
        const std::string sibling = Lower(startup + kSiblingSuffix);
        if (path == sibling || StartsWith(path, sibling + "\\")) return true;
    }
    return false;
}

bool IsTableStem(const std::string& name) {
    for (const sweep::DriverEntry* row = sweep::DriverTable; row->fileName != nullptr; ++row) {
        const std::string file = row->fileName;
        if (Lower(file.substr(0, file.size() - kExtensionLength)) == Lower(name)) return true;
    }
    return false;
}

bool IsTwin(const std::string& name) { return StartsWith(Lower(name), kTwinPrefix); }

bool IsRunOrSharedDlls(const std::string& name) {
    for (const char* key : {"run", "oldrun", "shareddlls", "oldshareddlls"}) {
        if (Lower(name) == key) return true;
    }
    return false;
}

// Every place a sweep reads or writes: below each control set the twin keys,
// the service keys of the driver table, the CD-ROM class key and the session
// manager key; the Run, SharedDLLs and Shell Folders keys with their twins;
// the generated machines' Startup folders with their siblings; and in each
// view the driver folder, the system folder's own entries and its backup
// folder.
PicturePlaces SweptPlaces(const test::MachineLayout& layout) {
    PicturePlaces places;
    for (const char* set : {"CurrentControlSet", "ControlSet001", "ControlSet002", "ControlSet003"}) {
        const std::string path = std::string("System\\") + set;
        places.listedKeys.push_back({HKEY_LOCAL_MACHINE, path, IsTwin});
        places.listedKeys.push_back({HKEY_LOCAL_MACHINE, path + "\\Services", IsTableStem});
        places.listedKeys.push_back({HKEY_LOCAL_MACHINE, path + "\\Services\\VxD", IsTableStem});
        places.keys.push_back({HKEY_LOCAL_MACHINE, path + "\\" + kCdRomClassKey});
        places.keys.push_back({HKEY_LOCAL_MACHINE, path + "\\Control\\SessionManager"});
    }
    auto currentVersion = [&](HKEY root, const std::string& software) {
        const std::string key = software + kCurrentVersionBelowSoftware;
        places.listedKeys.push_back({root, key, IsRunOrSharedDlls});
        places.keys.push_back({root, key + "\\Explorer\\Shell Folders"});
    };
    places.trees = {test::kGeneratedDocuments};
    for (const test::ViewPlaces& view : test::ViewsOf(layout)) {
        currentVersion(HKEY_LOCAL_MACHINE, view.software);
        places.trees.push_back(view.driverFolder);
        places.trees.push_back(view.systemFolder + "\\Dravolin");
        places.folders.push_back(view.systemFolder);
    }
    currentVersion(HKEY_CURRENT_USER, "Software");
    return places;
}

}  // namespace

RealSweepMachine::RealSweepMachine()
    : report_(sweep::ReportBuffer::Allocate()),
      context_{registry_,
               files_,
               desktop_,
               *report_,
               {"Header\r\n", "None\r\n", "Old driver of "},
               app::CheckPlatform(),
               text_,
               platform::win32::HasNativeView() ? &nativeRegistry_ : nullptr,
               platform::win32::HasNativeView() ? &nativeFiles_ : nullptr} {
    const std::string system = SystemFolder();
    const std::string drivers =
        system + (context_.platformKind == platform::PLATFORM_NT ? "\\DRIVERS" : "\\IOSUBSYS");
    // A 9x machine has its driver folder; a Wine prefix in that mode does not.
    // On 64-bit Windows the program's view of it is left as a fresh system
    // has it: not there.
    if (!UnderWow64()) ::CreateDirectoryA(drivers.c_str(), nullptr);
    layout_ = test::WithGeneratedStartupFolders(system, drivers);
    layout_.wow64SystemFolder = Wow64SystemFolder();
    places_ = SweptPlaces(layout_);
    pristine_ = TakePicture(places_);
}

RealSweepMachine& RealSweepMachine::Shared() {
    static RealSweepMachine machine;
    return machine;
}

int RealSweepMachine::RunSweep(sweep::SweepContext& context, sweep::SweepMode mode) {
    return sweep::RunSweep(context, mode);
}

std::vector<Difference> Unexplained(const std::vector<Difference>& differences,
                                    const MachinePicture& before, const RealSweepMachine& machine) {
    std::vector<Difference> unexplained;
    for (const Difference& difference : differences) {
        if (!LeftByDesign(difference, before, machine)) unexplained.push_back(difference);
    }
    return unexplained;
}

int MachinesToRun(const char* variable, int otherwise) {
    const char* setting = std::getenv(variable);
    const int count = setting != nullptr ? std::atoi(setting) : 0;
    return count > 0 ? count : otherwise;
}

}  // namespace winetest
