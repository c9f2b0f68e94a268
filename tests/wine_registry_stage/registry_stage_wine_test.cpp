// The registry stage on the real registry of a scratch Wine prefix set to an
// NT version: the class-filter and Run-key disable, then restore, with every
// value compared before and after. With DRAVOLIN_THROUGH_LINK=1 the prefix's
// CurrentControlSet is first made a link to ControlSet001, as on real NT, and
// the counts are those the emulated machine gives through its alias.
#include <doctest/doctest.h>
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_ansi_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/unique_handles.h"
#include "platform/win32/win32_registry.h"
#include "sweep/registry_stage.h"
#include "tests/wine_registry_stage/control_set_link.h"

using namespace sweep;

namespace {

constexpr const char* kClassKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E965-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kClassTwin =
    "System\\CurrentControlSet\\OldControl\\Class\\{4D36E965-E325-11CE-BFC1-08002BE10318}";
constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kOldRun = "Software\\Microsoft\\Windows\\CurrentVersion\\OldRun";

struct Stored {
    DWORD type;
    std::vector<BYTE> data;
    bool operator==(const Stored&) const = default;
};
// "subkey\value" (lower case) to type and bytes, for a whole tree.
using Dump = std::map<std::string, Stored>;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void DumpTree(HKEY parent, const std::string& path, const std::string& prefix, Dump& dump) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        char name[512];
        BYTE data[2048];
        DWORD length = sizeof name;
        DWORD size = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(key, i, name, &length, nullptr, &type, data, &size) != ERROR_SUCCESS) {
            break;
        }
        dump[Lower(prefix + name)] = Stored{type, std::vector<BYTE>(data, data + size)};
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        DumpTree(key, name, prefix + name + "\\", dump);
    }
    ::RegCloseKey(key);
}

Dump DumpOf(HKEY root, const char* path) {
    Dump dump;
    DumpTree(root, path, "", dump);
    return dump;
}

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

void SetValue(HKEY root, const char* path, const char* name, DWORD type,
              const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    REQUIRE(::RegCreateKeyA(root, path, &key) == ERROR_SUCCESS);
    CHECK(::RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())) ==
          ERROR_SUCCESS);
    ::RegCloseKey(key);
}

std::vector<BYTE> Text(const std::string& text) {
    std::vector<BYTE> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

// Whether the prefix's CurrentControlSet is a registry link already, as on
// real NT and in the prefixes of Wine 10.
bool PrefixHasLink() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet", REG_OPTION_OPEN_LINK,
                      KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return false;
    }
    const platform::win32::UniqueKey key(opened);
    DWORD type = REG_NONE;
    return RegQueryValueExA(key.Get(), "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) ==
               ERROR_SUCCESS &&
           type == REG_LINK;
}

// Whether this run goes through a CurrentControlSet link; makes it once
// where the prefix has none.
bool ThroughLink() {
    static const bool wanted = [] {
        const char* setting = std::getenv("DRAVOLIN_THROUGH_LINK");
        return setting != nullptr && std::string(setting) == "1";
    }();
    static bool made = false;
    static const bool already = PrefixHasLink();
    if (already) return true;
    if (wanted && !made) {
        if (!wine_stage::MakeControlSetLink()) {
            std::printf("FAILED: CurrentControlSet could not be made a registry link\n");
            std::fflush(stdout);
            std::exit(EXIT_FAILURE);
        }
        made = true;
    }
    return wanted;
}

struct Stage {
    platform::win32::Win32Registry registry;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32AnsiText text;
    std::unique_ptr<ReportBuffer> report = ReportBuffer::Allocate();
    SweepContext context{registry,
                         files,
                         desktop,
                         *report,
                         {"Header\r\n", "None\r\n", "Old driver of "},
                         platform::PLATFORM_NT,
                         text};
};

}  // namespace

TEST_CASE("class filters: disable, then restore, on the real registry") {
    const bool link = ThroughLink();
    SetValue(HKEY_LOCAL_MACHINE, kClassKey, "Class", REG_SZ, Text("CDROM"));
    SetValue(HKEY_LOCAL_MACHINE, kClassKey, "LowerFilters", REG_MULTI_SZ,
             {'P', 'x', 'H', 'e', 'l', 'p', '2', '0', 0, 0});
    SetValue(HKEY_LOCAL_MACHINE, kClassKey, "UpperFilters", REG_MULTI_SZ, {'r', 0, 0});
    SetValue(HKEY_LOCAL_MACHINE, (std::string(kClassKey) + "\\0000").c_str(), "DriverDesc", REG_SZ,
             Text("drive"));
    const Dump before = DumpOf(HKEY_LOCAL_MACHINE, kClassKey);
    REQUIRE(before.size() == 4);

    Stage stage;
    // Without the link only CurrentControlSet exists: Lower 2 + 1, Upper 1 + 1.
    // Through it ControlSet001 is the same key and counts again: + 2 and + 1.
    CHECK(SweepClassFilters(stage.context, SWEEP_DISABLE) == (link ? 8 : 5));
    const Dump disabled = DumpOf(HKEY_LOCAL_MACHINE, kClassKey);
    CHECK(disabled.count("lowerfilters") == 0);
    CHECK(disabled.count("upperfilters") == 0);
    CHECK(disabled.count("class") == 1);
    CHECK(DumpOf(HKEY_LOCAL_MACHINE, kClassTwin) == before);

    CHECK(SweepClassFilters(stage.context, SWEEP_REPORT) == 0);
    CHECK(SweepClassFilters(stage.context, SWEEP_RESTORE) == 1);
    CHECK(DumpOf(HKEY_LOCAL_MACHINE, kClassKey) == before);
    CHECK_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClassTwin));
}

TEST_CASE("Run keys: disable, then restore, on the real registry") {
    ThroughLink();
    SetValue(HKEY_LOCAL_MACHINE, kRun, "RoxioTray", REG_SZ, Text("C:\\roxio\\tray.exe"));
    SetValue(HKEY_LOCAL_MACHINE, kRun, "Keep", REG_SZ, Text("C:\\keep.exe"));
    SetValue(HKEY_CURRENT_USER, kRun, "NeroCheck", REG_EXPAND_SZ, Text("%ProgramFiles%\\n.exe"));
    const Dump machineBefore = DumpOf(HKEY_LOCAL_MACHINE, kRun);
    const Dump userBefore = DumpOf(HKEY_CURRENT_USER, kRun);

    Stage stage;
    CHECK(SweepRunKeys(stage.context, SWEEP_REPORT) == 2);
    CHECK(std::string(stage.report->Text())
              .find("RoxioTray   \tType Registry: C:\\roxio\\tray.exe\r\n") != std::string::npos);
    CHECK(SweepRunKeys(stage.context, SWEEP_DISABLE) == 2);
    const Dump machineDisabled = DumpOf(HKEY_LOCAL_MACHINE, kRun);
    CHECK(machineDisabled.count("roxiotray") == 0);
    CHECK(machineDisabled.count("keep") == 1);
    CHECK(DumpOf(HKEY_CURRENT_USER, kRun).count("nerocheck") == 0);
    CHECK(DumpOf(HKEY_LOCAL_MACHINE, kOldRun) == machineBefore);
    CHECK(DumpOf(HKEY_CURRENT_USER, kOldRun) == userBefore);

    CHECK(SweepRunKeys(stage.context, SWEEP_RESTORE) == 2);
    CHECK(DumpOf(HKEY_LOCAL_MACHINE, kRun) == machineBefore);
    CHECK(DumpOf(HKEY_CURRENT_USER, kRun) == userBefore);
    CHECK_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kOldRun));
    CHECK_FALSE(KeyExists(HKEY_CURRENT_USER, kOldRun));
}
