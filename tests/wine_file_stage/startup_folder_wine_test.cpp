// The Startup folders put aside and brought back on the real file system, in a
// scratch Wine prefix: subfolders, read-only and hidden entries, and both the
// user's and the common folder.
#include <doctest/doctest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "sweep/report_buffer.h"
#include "sweep/startup_folders.h"
#include "sweep/sweep_context.h"
#include "tests/wine_file_stage/wine_scratch.h"

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kScratch = "C:\\dravolin-wine-startup";

// Points one Shell Folders value at a folder for the life of the object.
class ShellFolderValue {
  public:
    ShellFolderValue(HKEY root, const char* name, const std::string& folder) : name_(name) {
        if (::RegCreateKeyExA(root, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                              nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        char old[MAX_PATH];
        DWORD size = sizeof(old), type = 0;
        if (::RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ && size > 0) {
            old[sizeof(old) - 1] = '\0';
            had_ = true;
            old_ = old;
        }
        set_ =
            ::RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                             static_cast<DWORD>(folder.size() + 1)) == ERROR_SUCCESS;
    }
    ~ShellFolderValue() {
        if (key_ == nullptr) return;
        if (had_)
            ::RegSetValueExA(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                             static_cast<DWORD>(old_.size() + 1));
        else
            ::RegDeleteValueA(key_, name_);
        ::RegCloseKey(key_);
    }
    ShellFolderValue(const ShellFolderValue&) = delete;
    ShellFolderValue& operator=(const ShellFolderValue&) = delete;
    bool IsSet() const { return set_; }

  private:
    const char* name_;
    HKEY key_ = nullptr;
    bool had_ = false;
    bool set_ = false;
    std::string old_;
};

}  // namespace

TEST_CASE("Startup folders are put aside and brought back with contents and attributes") {
    const std::string scratch = kScratch;
    const std::string user = scratch + "\\User\\Start Menu\\Programs\\StartUp";
    const std::string common = scratch + "\\All Users\\Start Menu\\Programs\\StartUp";
    winetest::RemoveTree(scratch);
    REQUIRE(winetest::WriteFile(user + "\\CreateCD.lnk", "create", FILE_ATTRIBUTE_READONLY));
    REQUIRE(winetest::WriteFile(user + "\\Tools\\RoxioTray.lnk", "roxio", FILE_ATTRIBUTE_HIDDEN));
    REQUIRE(winetest::WriteFile(user + "\\Tools\\Deep\\clonecdtray.lnk", "clone",
                                FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    REQUIRE(winetest::WriteFile(user + "\\keep.lnk", "keep", 0));
    REQUIRE(winetest::WriteFile(common + "\\NeroCheck.lnk", "nero", FILE_ATTRIBUTE_READONLY));
    const std::string userBefore = winetest::Picture(user);
    const std::string commonBefore = winetest::Picture(common);

    ShellFolderValue userValue(HKEY_CURRENT_USER, "Startup", user);
    ShellFolderValue commonValue(HKEY_LOCAL_MACHINE, "Common Startup", common);
    REQUIRE(userValue.IsSet());
    REQUIRE(commonValue.IsSet());

    winetest::RealMachine machine;
    sweep::SweepContext& context = machine.context;

    CHECK(sweep::SweepStartupFolders(context, sweep::SWEEP_DISABLE) == 4);
    CHECK(winetest::Picture(user + "_Disabled") ==
          "CreateCD.lnk=create/1\nTools\\\nTools\\Deep\\\nTools\\Deep\\clonecdtray.lnk=clone/3\n"
          "Tools\\RoxioTray.lnk=roxio/2\n");
    CHECK(winetest::Picture(user) == "Tools\\\nTools\\Deep\\\nkeep.lnk=keep/0\n");
    CHECK(winetest::Picture(common + "_Disabled") == "NeroCheck.lnk=nero/1\n");

    machine.report.Restart("");
    CHECK(sweep::SweepStartupFolders(context, sweep::SWEEP_REPORT) == 0);

    // 4 moved back, Tools\Deep and Tools purged, both sibling folders removed.
    CHECK(sweep::SweepStartupFolders(context, sweep::SWEEP_RESTORE) == 4 + 2 + 2);
    CHECK(winetest::Picture(user) == userBefore);
    CHECK(winetest::Picture(common) == commonBefore);
    CHECK(winetest::Picture(user + "_Disabled") == "<none>");
    CHECK(winetest::Picture(common + "_Disabled") == "<none>");

    winetest::RemoveTree(scratch);
}
