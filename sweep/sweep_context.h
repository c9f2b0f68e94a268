// What every stage of a sweep works with: the machine it looks at, the report
// it writes, the texts of the chosen language and the platform family. Stages
// take this instead of reaching for globals, so tests can run many machines.
#pragma once

#include "platform/platform_kind.h"
#include "sweep/report_buffer.h"

namespace platform {
class AnsiText;
class Registry;
class FileSystem;
class Desktop;
}  // namespace platform

namespace sweep {

enum SweepMode : int {
    SWEEP_RESTORE = 0,
    SWEEP_DISABLE = 1,
    SWEEP_REPORT = 2,
};

// The language-dependent parts of a report, taken from the shell's catalogue.
struct ReportTexts {
    const char* header;       // starts every report
    const char* noProblems;   // replaces the report when a sweep counted nothing
    const char* oldDriverOf;  // put before a vendor label in a file line
};

struct SweepContext {
    platform::Registry& registry;
    platform::FileSystem& files;
    platform::Desktop& desktop;
    ReportBuffer& report;
    ReportTexts texts;
    platform::PlatformKind platformKind;
    // The system's ANSI code page, in which every name and path is text.
    const platform::AnsiText& text;
    // On 64-bit Windows, the native view of the same machine: the registry
    // and files that the 32-bit layer hides from `registry` and `files`
    // (HKLM\Software of 64-bit programs; system32 itself, where kernel
    // drivers live). Both null where the machine has one view.
    platform::Registry* nativeRegistry = nullptr;
    platform::FileSystem* nativeFiles = nullptr;
};

}  // namespace sweep
