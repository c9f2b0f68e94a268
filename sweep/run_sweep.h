// One whole sweep in one mode: the report restarted, the four stages, the
// SharedDLLs hive backup, and the two passes over the driver table (driver
// folder, then system folder) with each row's file, SharedDLLs value and
// service keys. Answers the number of findings; the report is left in the
// context's buffer, or the no-problems text when nothing was found.
#pragma once

#include "sweep/sweep_context.h"

namespace sweep {

// The platform's list of shared files and its put-aside twin, below HKLM.
inline constexpr const char* kSharedDllsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
inline constexpr const char* kOldSharedDllsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\OldSharedDLLs";
// The one-time backup of SharedDLLs, in the system folder.
inline constexpr const char* kSharedDllsHiveFile = "VL_SHARE.DAT";
// Where the backup is saved before it takes its own name, beside it.
inline constexpr const char* kSharedDllsHiveScratch = "VL_SHARE.TMP";
// Below the system folder, by platform family.
inline constexpr const char* kNtDriverFolder = "DRIVERS\\";
inline constexpr const char* kWindows9xDriverFolder = "IOSUBSYS\\";
// The backup folder below the driver folder and the system folder.
inline constexpr const char* kBackupFolderName = "Dravolin";
// Service key prefixes of the two passes, relative to a control set.
inline constexpr const char* kVxdServicePrefix = "Services\\VxD\\";
inline constexpr const char* kServicePrefix = "Services\\";
// Report lines of a driver row.
inline constexpr const char* kFileLineSeparator = "   \tType: ";

int RunSweep(SweepContext& context, SweepMode mode);

}  // namespace sweep
