// Scratch places and file pictures for the file-stage tests on real Windows.
#pragma once

#include <string>

#include "platform/win32/win32_ansi_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "sweep/report_buffer.h"
#include "sweep/sweep_context.h"

#include "tests/wine/remove_tree.h"  // RemoveTree, for the scratch folders

namespace winetest {

// Writes a new file with the contents and attributes.
bool WriteFile(const std::string& path, const std::string& contents, unsigned long attributes);
// Every entry below `folder`, sorted, as "relative=contents/attributes" lines
// (folders end in "\"); "<none>" when the folder is missing.
std::string Picture(const std::string& folder);
// The folder this test program lies in, with a trailing backslash.
std::string OwnFolder();

// A sweep context over the real registry, files and windows of an NT-family
// system, with a report buffer of its own and no report texts.
struct RealMachine {
    platform::win32::Win32Registry registry;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32AnsiText text;
    sweep::ReportBuffer report;
    sweep::SweepContext context{registry, files, desktop, report, {"", "", ""}, platform::PLATFORM_NT, text};
};

}  // namespace winetest
