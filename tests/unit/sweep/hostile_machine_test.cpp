// Machines built to break the sweep: names and data at the edge of the
// 260-byte buffers, keys with more values than a walk examines, strings with
// no terminator, odd types, bytes beyond ASCII, paths that outgrow the limit
// once a name or "_Disabled" is added, Startup folders in odd places. Every
// machine gets a Test, New Driver, Test and Old Driver; the sanitizer build
// shows that nothing is read or written past a buffer, these checks that
// nothing is lost and that each edge ends as it should.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "sweep/path_buffer.h"
#include "sweep/registry_text.h"
#include "sweep/run_sweep.h"
#include "sweep/shown_data.h"
#include "tests/unit/sweep/machine_items.h"

namespace {

using test::Item;
using test::kUserStartup;

constexpr const char* kUserRun = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUserOldRun =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\OldRun";
constexpr const char* kShellFolders =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
    return out;
}

std::string Hex(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char byte : bytes) {
        if (!out.empty()) out += ",";
        out += kDigits[byte >> 4];
        out += kDigits[byte & 0xF];
    }
    return out;
}

// A name of `length` characters that holds the startup fragment "Roxio".
std::string RunName(std::size_t length) {
    return "Roxio" + std::string(length - 5, 'n');
}

bool HasValue(const test::SweepMachine& m, const std::string& key, const std::string& name) {
    for (const auto& [path, value] : m.registry.Values()) {
        if (test::Lower(path) == test::Lower(key) && value.name == name) return true;
    }
    return false;
}

bool HasFile(const test::SweepMachine& m, const std::string& path) {
    for (const Item& item : test::Items(m)) {
        if (item.place == test::Lower(path) && item.what.rfind("file", 0) == 0) return true;
    }
    return false;
}

// Test, New Driver, Test, Old Driver; nothing of the machine may be lost on
// the way, and after Old Driver every file stands where it stood. Answers the
// machine as it was after New Driver.
std::set<Item> RoundTrip(test::SweepMachine& m,
                         const std::vector<std::string>& startupFolders = {kUserStartup}) {
    const std::set<Item> before = test::Items(m);
    sweep::RunSweep(m.context, sweep::SWEEP_REPORT);
    sweep::RunSweep(m.context, sweep::SWEEP_DISABLE);
    const std::set<Item> aside = test::Items(m);
    const auto lostAside = test::Lost(before, aside, m.SystemFolder(), startupFolders);
    CHECK_MESSAGE(lostAside.empty(), "after New Driver, lost:" << test::Listed(lostAside));
    sweep::RunSweep(m.context, sweep::SWEEP_REPORT);
    CHECK(m.report->Size() < sweep::kReportCapacity);
    sweep::RunSweep(m.context, sweep::SWEEP_RESTORE);
    std::vector<std::string> moved;
    for (const Item& item : before) {
        if (item.what.rfind("file", 0) == 0 && !test::Items(m).count(item)) moved.push_back(item.place);
    }
    CHECK_MESSAGE(moved.empty(), "not back after Old Driver:" << test::Listed(moved));
    CHECK(m.registry.OpenHandleCount() == 0);
    return aside;
}

}  // namespace

TEST_CASE("Run values at the edges of the buffers go aside whole or stay whole") {
    struct Case {
        const char* what;
        std::string name;
        std::string data;  // REGEDIT4 data
        bool putAside;
    };
    const std::string text259(259, 't');
    const Case cases[] = {
        {"a name of 259 characters", RunName(259), "\"x\"", true},
        {"a name of 260 characters", RunName(260), "\"x\"", false},
        {"a name of 261 characters", RunName(261), "\"x\"", false},
        {"text of 259 characters and its zero", "Roxio 259", "\"" + text259 + "\"", true},
        {"text of 260 characters and its zero", "Roxio 260", "\"" + text259 + "t\"", true},
        {"260 bytes of text without a zero", "Roxio open",
         "hex(1):" + Hex(text259 + "t"), true},
        {"261 bytes of text without a zero", "Roxio open 261",
         "hex(1):" + Hex(text259 + "tt"), true},
        {"a string without a zero", "Roxio short", "hex(1):41,42,43", true},
        {"an empty string", "Roxio empty", "\"\"", true},
        {"no data at all", "Roxio none", "hex(0):", true},
        {"an empty binary", "Roxio binary", "hex:", true},
        {"a type no one defined", "Roxio odd", "hex(ffffffff):00,ff,80", true},
        {"a multi-string without its last zeros", "Roxio multi", "hex(7):61,00,62", true},
        {"bytes beyond ASCII in the name", "Roxio\xE9\xFF\x80\xA0", "\"\xE4\xF6\"", true},
        {"a dword of three bytes", "Roxio dword", "hex(4):01,02,03", true},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.what));
        test::SweepMachine m(platform::PLATFORM_NT, "[" + std::string(kUserRun) + "]\r\n\"" +
                                                       Escaped(c.name) + "\"=" + c.data + "\r\n");
        const std::set<Item> aside = RoundTrip(m);
        CHECK(HasValue(m, kUserRun, c.name));
        // New Driver copies the whole Run key aside and then takes out of it
        // the values whose names it can read; their data may be of any size.
        bool leftRun = true;
        for (const Item& item : aside) {
            leftRun = leftRun && item.place != test::Lower(std::string(kUserRun) + "\\\\" + c.name);
        }
        CHECK(leftRun == c.putAside);
    }
}

TEST_CASE("a Run key of 2000 values is walked to its end, one of 2001 not") {
    for (const int keep : {sweep::kMaxValuesExamined - 1, sweep::kMaxValuesExamined}) {
        CAPTURE(keep);
        std::string reg = "[" + std::string(kUserRun) + "]\r\n";
        for (int i = 0; i < keep; ++i) reg += "\"Keep" + std::to_string(i) + "\"=\"k\"\r\n";
        reg += "\"Roxio last\"=\"r\"\r\n";
        test::SweepMachine m(platform::PLATFORM_NT, reg);
        const std::set<Item> aside = RoundTrip(m);
        const bool lastAside =
            aside.count({test::Lower(std::string(kUserRun) + "\\\\Roxio last"), "value 1:114,0,"}) == 0;
        CHECK(lastAside == (keep < sweep::kMaxValuesExamined));
        std::size_t runValues = 0;
        for (const auto& [key, value] : m.registry.Values()) {
            runValues += test::Lower(key) == test::Lower(kUserRun) || test::Lower(key) == test::Lower(kUserOldRun);
        }
        CHECK(runValues == static_cast<std::size_t>(keep + 1));
    }
}

TEST_CASE("a Startup folder value that is odd, short or elsewhere leaves the entries be") {
    struct Case {
        const char* what;
        std::string data;  // REGEDIT4 data of the "Startup" value
        bool entriesGoAside;
    };
    const Case cases[] = {
        {"a plain path", "\"" + Escaped(kUserStartup) + "\"", true},
        {"a path without its zero", "hex(1):" + Hex(kUserStartup), true},
        {"an empty string", "\"\"", false},
        {"an expandable string", "hex(2):" + Hex(kUserStartup + '\0'), false},
        {"binary bytes", "hex:" + Hex(kUserStartup + '\0'), false},
        {"the drive's root", "\"C:\\\\\"", false},
        {"a short path", "\"C:\\\\StartUp\"", false},
        {"a share", "\"\\\\\\\\server\\\\share\\\\Start Menu\\\\StartUp\"", false},
        {"another fixed drive", "\"D:\\\\Documents\\\\User\\\\StartUp\"", false},
        {"a path without a drive", "\"Documents\\\\User\\\\Start Menu\\\\StartUp\"", false},
        {"260 bytes of text", "\"" + Escaped(kUserStartup) + std::string(260 - kUserStartup.size(), 'x') + "\"", false},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.what));
        const std::string entry = kUserStartup + "\\Roxio Tray.lnk";
        test::SweepMachine m(platform::PLATFORM_NT,
                             "[" + std::string(kShellFolders) + "]\r\n\"Startup\"=" + c.data + "\r\n",
                             "drive D fixed\nfile R shut =tray " + entry +
                                 "\nfile - shut =other D:\\Documents\\User\\StartUp\\Roxio.lnk\n");
        const std::set<Item> aside = RoundTrip(m);
        const bool wentAside = aside.count({test::Lower(kUserStartup + "_Disabled\\Roxio Tray.lnk"),
                                            "file R shut =tray"}) != 0;
        CHECK(wentAside == c.entriesGoAside);
        CHECK(HasFile(m, entry));
    }
}

TEST_CASE("paths that reach the limit once a name or \"_Disabled\" is added are left, never cut") {
    const std::string base = "C:\\Start Menu\\";
    struct Case {
        const char* what;
        std::size_t folderLength;  // of the Startup folder
        std::size_t nameLength;    // of the entry in it
        bool entryGoesAside;
    };
    // The sibling adds 9 characters; an entry's path adds 1 + its name.
    const Case cases[] = {
        {"the sibling folder takes 259 characters", 250, 7, false},
        {"the sibling folder would take 260", 251, 7, false},
        {"the entry's sibling path takes 259", 240, 9, true},
        {"the entry's sibling path would take 260", 240, 10, false},
        {"the entry's own path takes 259", 248, 10, false},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.what));
        const std::string folder = base + std::string(c.folderLength - base.size(), 'f');
        const std::string name = "Elby" + std::string(c.nameLength - 7, 'n') + ".lk";
        const std::string entry = folder + "\\" + name;
        test::SweepMachine m(platform::PLATFORM_NT,
                             "[" + std::string(kShellFolders) + "]\r\n\"Startup\"=\"" + Escaped(folder) + "\"\r\n",
                             "folder - " + folder + "\nfile - shut =entry " + entry + "\n");
        const std::set<Item> aside = RoundTrip(m, {folder});
        CHECK((aside.count({test::Lower(folder + "_Disabled\\" + name), "file - shut =entry"}) != 0) ==
              c.entryGoesAside);
        CHECK(HasFile(m, entry));
        // Nothing was written under a name cut to fit.
        for (const Item& item : aside) {
            if (item.what.rfind("file", 0) == 0) CHECK_MESSAGE(item.place.size() <= sweep::kMaxPathLength, item.place);
        }
    }
}

TEST_CASE("no data at all shows as nothing, whatever the type") {
    // Zero bytes may come without a buffer; the sanitizer build sees any use of it.
    for (const platform::ValueType type :
         {platform::kRegSz, platform::kRegMultiSz, platform::kRegDword, platform::ValueType{0x4d2}}) {
        CAPTURE(type);
        sweep::RegistryText shown("stale");
        sweep::FormatShownData(type, nullptr, 0, shown);
        CHECK(shown.View().empty());
    }
}

TEST_CASE("names with bytes beyond ASCII go aside and come back whole") {
    const std::string entry = kUserStartup + "\\Sub\xE4\xFF\\Elby\xE9\xA0\x80.lnk";
    const std::string service = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\ElbyCDIO";
    test::SweepMachine m(platform::PLATFORM_NT,
                         "[" + std::string(kShellFolders) + "]\r\n\"Startup\"=\"" + Escaped(kUserStartup) +
                             "\"\r\n[" + service + "\\\xC4\xFF\x9F]\r\n\"\xE9t\xE9\"=hex:80,ff\r\n",
                         "file H shut =entry " + entry + "\n");
    const std::set<Item> aside = RoundTrip(m);
    CHECK(aside.count({test::Lower(kUserStartup + "_Disabled\\Sub\xE4\xFF\\Elby\xE9\xA0\x80.lnk"),
                       "file H shut =entry"}) != 0);
    CHECK(aside.count({"hkey_local_machine\\system\\controlset001\\oldservices\\elbycdio\\\xC4\xFF\x9F\\\\\xE9t\xE9",
                       "value 3:128,255,"}) != 0);
    CHECK(HasFile(m, entry));
}
