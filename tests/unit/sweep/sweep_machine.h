// A whole emulated machine for sweeps: registry, drives and files, windows,
// loaded from a REGEDIT4 description and a file manifest, with the report
// buffer and the sweep context over them, and a snapshot of everything that
// can be compared before and after a sweep.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "platform/emulated/cut_off.h"
#include "platform/emulated/emulated_desktop.h"
#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_registry.h"
#include "sweep/report_buffer.h"
#include "sweep/sweep_context.h"

namespace test {

inline constexpr const char* kEnglishHeader = "These old drivers or programs are found:\r\n\r\n";
inline constexpr const char* kNoProblems = "NO PROBLEMS\r\n";
inline constexpr const char* kOldDriverOf = "Old driver of ";

// The folders of a standard machine of each family.
inline constexpr const char* kNtSystemFolder = "C:\\WINDOWS\\system32";
inline constexpr const char* kWin9xSystemFolder = "C:\\WINDOWS\\SYSTEM";
inline constexpr const char* kProgramFolder = "C:\\Program Files\\Velmo";

class SweepMachine {
public:
    // A machine of the family with drive C, the Windows and system folders,
    // the driver folder, the program folder with Dravolin.exe, and then
    // `reg` (REGEDIT4 text without its first line) and `manifest`.
    explicit SweepMachine(platform::PlatformKind kind, std::string_view reg = {},
                          std::string_view manifest = {});

    // Ends the machine's process at a chosen step, over registry and files.
    platform::emulated::CutOff cutOff;
    platform::emulated::EmulatedRegistry registry;
    platform::emulated::EmulatedFileSystem files;
    platform::emulated::EmulatedDesktop desktop;
    std::unique_ptr<sweep::ReportBuffer> report;
    sweep::SweepContext context;

    std::string SystemFolder() const;
    std::string DriverFolder() const;

    // Every value (key, name, type and bytes) and every file (path,
    // contents, attributes) and folder, one line each; key and value names
    // in lower case.
    std::set<std::string> Snapshot() const;
};

}  // namespace test
