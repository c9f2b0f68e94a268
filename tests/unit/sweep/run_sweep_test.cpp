// Whole sweeps on emulated machines: the report's order and frame, the
// driver-table passes, the SharedDLLs values and their hive backup, and the
// put-aside places of disable and restore.
#include "sweep/run_sweep.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>

#include "tests/unit/sweep/sweep_machine.h"

using platform::PLATFORM_9X;
using platform::PLATFORM_NT;
using sweep::RunSweep;
using sweep::SWEEP_DISABLE;
using sweep::SWEEP_REPORT;
using sweep::SWEEP_RESTORE;
using test::SweepMachine;

namespace {

constexpr const char* kShared = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
constexpr const char* kOldShared = "Software\\Microsoft\\Windows\\CurrentVersion\\OldSharedDLLs";

std::string Report(const SweepMachine& m) { return m.report->Text(); }

bool HasValue(SweepMachine& m, const char* key, const std::string& name) {
    platform::RegKey k;
    if (m.registry.OpenKey(platform::RegRoot::LocalMachine, key, platform::kKeyQueryValue, k) != 0) {
        return false;
    }
    return m.registry.QueryValue(k, name.c_str(), nullptr, nullptr, nullptr) == 0;
}

bool KeyExists(SweepMachine& m, const char* key) {
    platform::RegKey k;
    return m.registry.OpenKey(platform::RegRoot::LocalMachine, key, platform::kKeyQueryValue, k) == 0;
}

std::string Contents(SweepMachine& m, const std::string& path) {
    const auto* node = m.files.Find(path);
    return node ? node->contents : "<missing>";
}

}  // namespace

TEST_CASE("a driver in the driver folder, its SharedDLLs value and its service key: four findings") {
    const std::string live = std::string(test::kNtSystemFolder) + "\\DRIVERS\\ElbyCDIO.sys";
    std::string reg = "[HKEY_LOCAL_MACHINE\\" + std::string(kShared) + "]\r\n\"";
    for (char c : live) reg += c == '\\' ? std::string("\\\\") : std::string(1, c);
    reg += "\"=dword:00000001\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\ElbyCDIO]\r\n"
           "\"Start\"=dword:00000003\r\n";
    SweepMachine m(PLATFORM_NT, reg, "file - shut =driver " + live + "\n");

    CHECK(RunSweep(m.context, SWEEP_REPORT) == 4);
    CHECK(Report(m) ==
          "These old drivers or programs are found:\r\n\r\n"
          "ElbyCDIO.sys   \tType Registry: CloneCD\r\n"
          "ElbyCDIO.sys   \tType: Old driver of CloneCD\r\n"
          "HKLM\\System\\CurrentControlSet\\Services\\ElbyCDIO\r\n"
          "HKLM\\System\\CurrentControlSet\\Services\\ELBYCDIO\r\n");

    SUBCASE("a report moves nothing") {
        CHECK(Contents(m, live) == "driver");
        CHECK(HasValue(m, kShared, live));
    }
    SUBCASE("New Driver puts all of it aside, Old Driver brings it back") {
        const auto before = m.Snapshot();
        // File, value, and the service key's one value in the current set and
        // again through ControlSet001, which the current set is an alias of.
        CHECK(RunSweep(m.context, SWEEP_DISABLE) == 3);
        CHECK(Contents(m, live) == "<missing>");
        CHECK(Contents(m, m.DriverFolder() + "\\Dravolin\\ElbyCDIO.sys") == "driver");
        CHECK(!HasValue(m, kShared, live));
        CHECK(HasValue(m, kOldShared, live));
        CHECK(!KeyExists(m, "System\\CurrentControlSet\\Services\\ElbyCDIO"));
        CHECK(KeyExists(m, "System\\CurrentControlSet\\OldServices\\ElbyCDIO"));
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 0);
        CHECK(Report(m) == test::kNoProblems);

        CHECK(RunSweep(m.context, SWEEP_RESTORE) == 3);
        const auto after = m.Snapshot();
        for (const std::string& line : before) {
            CAPTURE(line);
            CHECK(after.count(line) == 1);
        }
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 4);
    }
}

TEST_CASE("the report frame: header, the blank line after stage findings, the no-problems text") {
    SUBCASE("nothing found: only the no-problems text, header gone") {
        SweepMachine m(PLATFORM_9X);
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 0);
        CHECK(Report(m) == test::kNoProblems);
    }
    SUBCASE("stage findings only: the report ends with the blank line after them") {
        SweepMachine m(PLATFORM_9X,
                       "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                       "\"RealTray\"=\"C:\\\\rt.exe\"\r\n");
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 1);
        CHECK(Report(m) == std::string(test::kEnglishHeader) +
                               "RealTray   \tType Registry: C:\\rt.exe\r\n\r\n");
    }
    SUBCASE("driver findings only: they follow the header directly") {
        SweepMachine m(PLATFORM_9X, {},
                       std::string("file - shut =x ") + test::kWin9xSystemFolder + "\\CDRAL.DLL\n");
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 1);
        CHECK(Report(m) == std::string(test::kEnglishHeader) +
                               "CDRAL.DLL   \tType: Old driver of DirectCD\r\n");
    }
}

TEST_CASE("the driver folder by family and every row tried in both folders") {
    SUBCASE("9x: IOSUBSYS, with the VxD service keys") {
        SweepMachine m(PLATFORM_9X,
                       "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\PxHelper]\r\n",
                       std::string("file - shut =v ") + test::kWin9xSystemFolder +
                           "\\IOSUBSYS\\PxHelper.vxd\n");
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 3);  // the file and the key for both rows
        CHECK(Report(m) == std::string(test::kEnglishHeader) +
                               "HKLM\\System\\CurrentControlSet\\Services\\VxD\\PxHelper\r\n"
                               "PxHelper.vxd   \tType: Old driver of PrimoCD\r\n"
                               "HKLM\\System\\CurrentControlSet\\Services\\VxD\\PxHelper\r\n");
    }
    SUBCASE("NT: a .sys row is also looked for in the system folder") {
        SweepMachine m(PLATFORM_NT, {},
                       std::string("file - shut =s ") + test::kNtSystemFolder + "\\vobIW.sys\n");
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 1);
        CHECK(Report(m).ends_with("vobIW.sys   \tType: Old driver of InstantWrite\r\n"));
    }
}

TEST_CASE("what every sweep leaves behind: the OldSharedDLLs key, both backup folders, the hive once") {
    SweepMachine m(PLATFORM_NT, "[HKEY_LOCAL_MACHINE\\" + std::string(kShared) + "]\r\n\"a\"=\"1\"\r\n");
    const std::string hive = m.SystemFolder() + "\\VL_SHARE.DAT";
    CHECK(RunSweep(m.context, SWEEP_REPORT) == 0);
    CHECK(KeyExists(m, kOldShared));
    CHECK((m.files.GetAttributes((m.DriverFolder() + "\\Dravolin").c_str()) & platform::kAttributeFolder) != 0);
    CHECK((m.files.GetAttributes((m.SystemFolder() + "\\Dravolin").c_str()) & platform::kAttributeFolder) != 0);
    REQUIRE(m.files.Find(hive) != nullptr);
    const std::string first = Contents(m, hive);

    // SharedDLLs changes; the backup is never written again.
    platform::RegKey shared;
    REQUIRE(m.registry.OpenKey(platform::RegRoot::LocalMachine, kShared, platform::kKeyAllAccess, shared) == 0);
    REQUIRE(m.registry.SetValue(shared, "b", platform::kRegSz, "2", 2) == 0);
    RunSweep(m.context, SWEEP_DISABLE);
    RunSweep(m.context, SWEEP_RESTORE);
    CHECK(Contents(m, hive) == first);
}

TEST_CASE("a file at both paths and a value in both keys") {
    const std::string live = std::string(test::kNtSystemFolder) + "\\CDRTC.DLL";
    const std::string backup = std::string(test::kNtSystemFolder) + "\\Dravolin\\CDRTC.DLL";
    const std::string manifest = "file - shut =new " + live + "\nfile - shut =old " + backup + "\n";

    SUBCASE("disable: the newer file replaces the older backup copy") {
        SweepMachine m(PLATFORM_NT, {}, manifest);
        CHECK(RunSweep(m.context, SWEEP_DISABLE) == 1);
        CHECK(Contents(m, live) == "<missing>");
        CHECK(Contents(m, backup) == "new");
    }
    SUBCASE("restore: the live file stays, the backup copy of its name goes") {
        SweepMachine m(PLATFORM_NT, {}, manifest);
        CHECK(RunSweep(m.context, SWEEP_RESTORE) == 1);
        CHECK(Contents(m, live) == "new");
        CHECK(Contents(m, backup) == "<missing>");
    }
    SUBCASE("values: the source key's value overwrites the other and leaves") {
        std::string name;
        for (char c : live) name += c == '\\' ? std::string("\\\\") : std::string(1, c);
        SweepMachine m(PLATFORM_NT,
                       "[HKEY_LOCAL_MACHINE\\" + std::string(kShared) + "]\r\n\"" + name +
                           "\"=dword:00000002\r\n\r\n[HKEY_LOCAL_MACHINE\\" + kOldShared + "]\r\n\"" +
                           name + "\"=dword:00000001\r\n");
        CHECK(RunSweep(m.context, SWEEP_DISABLE) == 1);
        CHECK(!HasValue(m, kShared, live));
        platform::RegKey old;
        REQUIRE(m.registry.OpenKey(platform::RegRoot::LocalMachine, kOldShared, platform::kKeyRead, old) == 0);
        std::uint32_t data = 0, size = 4;
        REQUIRE(m.registry.QueryValue(old, live.c_str(), nullptr, &data, &size) == 0);
        CHECK(data == 2);
    }
}

TEST_CASE("a SharedDLLs value under another form of the path is not the row's value") {
    SweepMachine m(PLATFORM_NT, "[HKEY_LOCAL_MACHINE\\" + std::string(kShared) +
                                    "]\r\n\"C:\\\\WINDOWS\\\\SYSTEM32\\\\CDRTC.DLL\"=dword:00000001\r\n"
                                    "\"C:\\\\WINDOW~1\\\\system32\\\\CDRAL.DLL\"=dword:00000001\r\n");
    // Value names compare without case; a short 8.3 form is another name.
    CHECK(RunSweep(m.context, SWEEP_REPORT) == 1);
    CHECK(Report(m) == std::string(test::kEnglishHeader) + "CDRTC.DLL   \tType Registry: DirectCD\r\n");
}

TEST_CASE("nothing is lost when a put-aside or bring-back cannot complete") {
    const std::string live = std::string(test::kNtSystemFolder) + "\\PFC.SYS";
    std::string name;
    for (char c : live) name += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const std::string reg = "[HKEY_LOCAL_MACHINE\\" + std::string(kShared) + "]\r\n\"" + name +
                            "\"=dword:00000001\r\n";

    SUBCASE("SharedDLLs open for queries only: the value stays, a copy is put aside") {
        SweepMachine m(PLATFORM_NT, reg);
        REQUIRE(m.registry.LimitAccess(platform::RegRoot::LocalMachine, kShared, platform::kKeyRead));
        CHECK(RunSweep(m.context, SWEEP_DISABLE) == 1);
        CHECK(HasValue(m, kShared, live));
        CHECK(HasValue(m, kOldShared, live));
    }
    SUBCASE("restore into a SharedDLLs that takes no writes: the value stays put aside") {
        SweepMachine m(PLATFORM_NT, reg);
        RunSweep(m.context, SWEEP_DISABLE);
        REQUIRE(m.registry.LimitAccess(platform::RegRoot::LocalMachine, kShared, platform::kKeyRead));
        CHECK(RunSweep(m.context, SWEEP_RESTORE) == 1);
        CHECK(HasValue(m, kOldShared, live));
        CHECK(!HasValue(m, kShared, live));
    }
    SUBCASE("a backup copy that cannot move back while its name is free stays put aside") {
        const std::string backup = std::string(test::kNtSystemFolder) + "\\Dravolin\\PFC.SYS";
        SweepMachine m(PLATFORM_NT, {}, "file - shut =driver " + backup + "\n");
        m.files.Faults().FailPath(live, platform::emulated::FILE_OP_MOVE);
        CHECK(RunSweep(m.context, SWEEP_RESTORE) == 1);
        CHECK(Contents(m, backup) == "driver");
    }
}

TEST_CASE("64-bit Windows: a native finding is listed unless the program's view listed it alike") {
    const std::string own =
        "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\";
    const std::string native =
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\";
    // 309 bytes, which no 260-byte buffer takes: no view lists them.
    const std::string tooLong = "\"C:\\\\Nero\\\\" + std::string(300, 'N') + "\"";
    const std::string nc = "   \tType Registry: nc";
    // The Run value in each view, and the lines a Test shows; "\x83" starts a
    // double-byte character.
    const std::string cases[][3] = {
        {"\"NeroCheck\"=\"nc.exe\"", "\"NEROCHECK\"=\"nc.exe\"", "NeroCheck" + nc + ".exe\r\n"},
        {"\"NeroCheck\"=" + tooLong, "\"NeroCheck\"=\"nc64.exe\"", "NeroCheck" + nc + "64.exe\r\n"},
        {"\"NeroCheck\"=\"nc32.exe\"", "\"NeroCheck\"=\"nc64.exe\"",
         "NeroCheck" + nc + "32.exe\r\nNeroCheck" + nc + "64.exe\r\n"},
        {"\"NeroCheck\x83\x61\"=\"nc.exe\"", "\"NeroCheck\x83\x41\"=\"nc.exe\"",
         "NeroCheck\x83\x61" + nc + ".exe\r\nNeroCheck\x83\x41" + nc + ".exe\r\n"},
    };
    for (const auto& [ownValue, nativeValue, lines] : cases) {
        CAPTURE(nativeValue);
        SweepMachine m(
            PLATFORM_NT,
            own + "Run]\r\n" + ownValue + "\r\n" + native + "Run]\r\n" + nativeValue + "\r\n", {},
            test::Bitness::k64);
        // Each line counts, so no report says there is nothing.
        CHECK(RunSweep(m.context, SWEEP_REPORT) == std::count(lines.begin(), lines.end(), '\n'));
        CHECK(Report(m) == test::kEnglishHeader + lines + "\r\n");
    }
    // A driver row's lines show no data: its entry in both views is one.
    const std::string name = "\"C:\\\\WINDOWS\\\\system32\\\\CDRAL.DLL\"=";
    for (const std::string& ownData : {tooLong, std::string("dword:00000002")}) {
        SweepMachine m(PLATFORM_NT,
                       own + "SharedDLLs]\r\n" + name + ownData + "\r\n" + native +
                           "SharedDLLs]\r\n" + name + "dword:00000001\r\n",
                       "file - shut =32 C:\\WINDOWS\\SysWOW64\\CDRAL.DLL\n"
                       "file - shut =64 C:\\WINDOWS\\system32\\CDRAL.DLL\n",
                       test::Bitness::k64);
        CHECK(RunSweep(m.context, SWEEP_REPORT) == 2);
        CHECK(Report(m) == std::string(test::kEnglishHeader) +
                               "CDRAL.DLL   \tType Registry: DirectCD\r\n"
                               "CDRAL.DLL   \tType: Old driver of DirectCD\r\n");
    }
}
