// The registry places the registry stage works on. Key paths below a control
// set carry no leading backslash; control-set names end with one.
#pragma once

namespace sweep {

inline constexpr const char* kSystemKeyPrefix = "System\\";
// Visited in this order, pass 0 to pass 3.
inline constexpr const char* kControlSets[] = {
    "CurrentControlSet\\",
    "ControlSet001\\",
    "ControlSet002\\",
    "ControlSet003\\",
};
inline constexpr int kControlSetPasses = 4;
// Put in front of a key path below a control set to name its twin key.
inline constexpr const char* kTwinPrefix = "Old";

// The CD-ROM device setup class and the filter values the stage puts aside.
inline constexpr const char* kCdRomClassKey =
    "Control\\Class\\{4D36E965-E325-11CE-BFC1-08002BE10318}";
inline constexpr const char* kLowerFiltersValue = "LowerFilters";
inline constexpr const char* kUpperFiltersValue = "UpperFilters";
// The ASPI version-warning entry.
inline constexpr const char* kWarnVerDllsKey = "Control\\SessionManager\\WarnVerDLLs";
inline constexpr const char* kWinAspiValue = "WINASPI.DLL";

// Startup programs, under both roots, and the key their values are put into.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kOldRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\OldRun";

// How report lines name the two roots.
inline constexpr const char* kMachineRootLabel = "HKLM\\";
inline constexpr const char* kUserRootLabel = "HKCU\\";
inline constexpr const char* kRegistryLineSeparator = "   \tType Registry: ";
inline constexpr const char* kRegistryLineEnd = "\r\n";

}  // namespace sweep
