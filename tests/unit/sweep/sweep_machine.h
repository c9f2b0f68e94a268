// A whole emulated machine for sweeps: registry, drives and files, windows,
// loaded from a REGEDIT4 description and a file manifest, with the report
// buffer and the sweep context over them, and a snapshot of everything that
// can be compared before and after a sweep. A 64-bit machine of the NT family
// is described and compared as it is, in its native view; the sweep sees it
// as the 32-bit program does, with the native view beside.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "platform/emulated/cut_off.h"
#include "platform/emulated/emulated_ansi_text.h"
#include "platform/emulated/emulated_desktop.h"
#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_registry.h"
#include "platform/emulated/wow64_views.h"
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
// Where the 32-bit program's system folder lies on 64-bit Windows.
inline constexpr const char* kWow64SystemFolder = "C:\\WINDOWS\\SysWOW64";

enum class Bitness { k32, k64 };

// The NT family on 32-bit or 64-bit Windows, or the 9x family.
struct Family {
    platform::PlatformKind kind;
    Bitness bitness = Bitness::k32;
};

class SweepMachine {
public:
    // A machine of the family with drive C, the Windows and system folders,
    // the driver folder, the program folder with Dravolin.exe, and then
    // `reg` (REGEDIT4 text without its first line) and `manifest`. A 64-bit
    // machine (NT family only) has SysWOW64 as well, without a driver folder
    // of its own, as a fresh 64-bit Windows may have.
    explicit SweepMachine(platform::PlatformKind kind, std::string_view reg = {},
                          std::string_view manifest = {}, Bitness bitness = Bitness::k32,
                          platform::emulated::CodePage codePage =
                              platform::emulated::CodePage::kWestern1252);

    // Ends the machine's process at a chosen step, over registry and files.
    platform::emulated::CutOff cutOff;
    platform::emulated::EmulatedRegistry registry;
    platform::emulated::EmulatedFileSystem files;
    platform::emulated::EmulatedDesktop desktop;
    platform::emulated::EmulatedAnsiText text;
    // The program's view of a 64-bit machine; unused on a 32-bit one.
    platform::emulated::Wow64FileView wow64Files{files};
    platform::emulated::Wow64RegistryView wow64Registry{registry, wow64Files};
    std::unique_ptr<sweep::ReportBuffer> report;
    sweep::SweepContext context;

    bool HasTwoViews() const { return context.nativeRegistry != nullptr; }
    // The system and driver folders as the program names them; on a 64-bit
    // machine the native ones on the disk.
    std::string SystemFolder() const;
    std::string DriverFolder() const;
    // Where the program's own system folder lies on the disk.
    std::string SystemFolderOnDisk() const;

    // Every value (key, name, type and bytes) and every file (path,
    // contents, attributes) and folder, one line each; key and value names
    // in lower case. Every key has a line of its own, "[key]".
    std::set<std::string> Snapshot() const;

private:
    platform::Registry& ProgramRegistry(Bitness bitness);
    platform::FileSystem& ProgramFiles(Bitness bitness);
};

}  // namespace test
