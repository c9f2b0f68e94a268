// A rich machine of each family for the whole-sweep tests: every kind of
// finding (driver files in both folders with their SharedDLLs values and
// service keys, values of every type, subkeys, class filters, the ASPI entry,
// Run values, Startup entries in subfolders, engine libraries beside the
// program and in its engine folder), read-only, hidden and held-open files,
// and things that match nothing. The 64-bit machine of the NT family has the
// program's findings in its view (SysWOW64, HKLM\Software\Wow6432Node), the
// kernel drivers in the native view, and more in both: the same library and
// the same SharedDLLs and Run names in each view, with data of their own.
#pragma once

#include <string>

#include "platform/platform_kind.h"
#include "tests/unit/sweep/sweep_machine.h"

namespace test {

struct RichMachine {
    explicit RichMachine(platform::PlatformKind kind, Bitness bitness = Bitness::k32);

    std::string reg;  // REGEDIT4 text without its first line
    std::string manifest;

  private:
    void File(const char* attributes, const char* state, const std::string& path);
    int files_ = 0;
};

}  // namespace test
