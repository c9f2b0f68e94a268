// A test machine for the file stage: an emulated NT machine with drives of
// every type, the program in C:\Velmo, the Startup folders named in the
// registry, and short ways to look at files afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/emulated/emulated_ansi_text.h"
#include "platform/emulated/emulated_desktop.h"
#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_registry.h"
#include "sweep/report_buffer.h"
#include "sweep/sweep_context.h"

namespace filetest {

inline constexpr const char* kUserStartup = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp";
inline constexpr const char* kCommonStartup =
    "C:\\WINDOWS\\All Users\\Start Menu\\Programs\\StartUp";
inline constexpr const char* kProgramFolder = "C:\\Velmo";
inline constexpr const char* kProgram = "C:\\Velmo\\Dravolin.exe";
inline constexpr const char* kSystemFolder = "C:\\WINDOWS\\SYSTEM32";

class FileMachine {
  public:
    // Drives: C and D fixed, E removable, F network, G CD-ROM. Windows in
    // C:\WINDOWS. The Startup values name kUserStartup and kCommonStartup,
    // which exist and are empty.
    FileMachine();

    platform::emulated::EmulatedRegistry registry;
    platform::emulated::EmulatedFileSystem files;
    platform::emulated::EmulatedDesktop desktop;
    platform::emulated::EmulatedAnsiText text;
    std::unique_ptr<sweep::ReportBuffer> report;
    sweep::SweepContext context;

    // Sets the "Startup" (user) or "Common Startup" (machine) value.
    void SetStartupValue(platform::RegRoot root, const std::string& path);
    void Add(const std::string& path, const std::string& contents,
             std::uint32_t attributes = platform::kAttributeArchive);

    bool Has(const std::string& path) const;
    bool IsFolder(const std::string& path) const;
    std::string Contents(const std::string& path) const;  // "<none>" when missing
    std::uint32_t Attributes(const std::string& path) const;
    // The report after its header.
    std::string ReportLines() const;
    // Every file below `folder` as "relative path=contents/attributes" lines,
    // sorted: a picture to compare before and after.
    std::string Picture(const std::string& folder) const;
};

}  // namespace filetest
