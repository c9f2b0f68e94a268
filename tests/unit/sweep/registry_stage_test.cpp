// The registry stage on emulated machines of both families: what each mode
// lists, moves, brings back and counts.
#include "sweep/registry_stage.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>

#include "registry_machine.h"
#include "sweep/read_string_value.h"

using platform::PLATFORM_9X;
using platform::PLATFORM_NT;
using platform::RegRoot;
using namespace sweep;
using namespace test;

namespace {

constexpr RegRoot kHklm = RegRoot::LocalMachine;
constexpr RegRoot kHkcu = RegRoot::CurrentUser;
constexpr const char* kClass = R"(Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318})";
constexpr const char* kClassPath =
    R"(System\ControlSet001\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318})";
constexpr const char* kClassTwinPath =
    R"(System\ControlSet001\OldControl\Class\{4D36E965-E325-11CE-BFC1-08002BE10318})";
constexpr const char* kRun = R"(Software\Microsoft\Windows\CurrentVersion\Run)";
constexpr const char* kOldRun = R"(Software\Microsoft\Windows\CurrentVersion\OldRun)";

// A class key with an upper filter, a lower filter spelt in small letters, and
// two other values.
constexpr const char* kClassReg =
    R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}]
"Class"="CDROM"
"UpperFilters"=hex(7):72,65,64,62,6f,6f,6b,00,00
"lowerfilters"=hex(7):61,00,00
"EditFlags"=hex:01,02
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}\0000]
"DriverDesc"="CD-ROM drive"
)";

}  // namespace

TEST_CASE("a service key: three values count 3, none counts 0, and the key is moved") {
    RegistryMachine m(PLATFORM_NT, R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Three]
"Start"=dword:00000001
"Type"=dword:00000001
"ImagePath"=hex(2):25,00
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Three\Enum]
"0"="x"
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Empty]
)");
    CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\Three)", nullptr) == 3);
    CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\Empty)", nullptr) == 0);
    CHECK_FALSE(m.KeyExists(kHklm, R"(System\ControlSet001\Services\Three)"));
    CHECK_FALSE(m.KeyExists(kHklm, R"(System\ControlSet001\Services\Empty)"));
    CHECK(m.KeyExists(kHklm, R"(System\ControlSet001\OldServices\Empty)"));
    CHECK(m.Value(kHklm, R"(System\ControlSet001\OldServices\Three)", "Start") == Dword(1));
    CHECK(m.Value(kHklm, R"(System\ControlSet001\OldServices\Three\Enum)", "0") == Sz("x"));

    // The numbered pass over the same set finds the key gone and adds nothing;
    // the restore likewise counts the twin once.
    CHECK(SweepControlSetKey(m.context, SWEEP_REPORT, R"(Services\Three)", nullptr) == 0);
    CHECK(SweepControlSetKey(m.context, SWEEP_RESTORE, R"(Services\Three)", nullptr) == 1);
    CHECK(m.Value(kHklm, R"(System\CurrentControlSet\Services\Three)", "ImagePath") ==
          StoredValue{platform::kRegExpandSz, {0x25, 0x00}});
    CHECK(m.Value(kHklm, R"(System\CurrentControlSet\Services\Three\Enum)", "0") == Sz("x"));
    CHECK_FALSE(m.KeyExists(kHklm, R"(System\ControlSet001\OldServices\Three)"));
    CHECK(SweepControlSetKey(m.context, SWEEP_RESTORE, R"(Services\Three)", nullptr) == 0);
}

TEST_CASE("a report lists a present key from CurrentControlSet only, once per call") {
    RegistryMachine m(PLATFORM_NT, R"([HKEY_LOCAL_MACHINE\System\ControlSet002\Services\Only2]
[HKEY_LOCAL_MACHINE\System\ControlSet001\Services\VxD\ElbyCDIO]
)");
    CHECK(SweepControlSetKey(m.context, SWEEP_REPORT, R"(Services\Only2)", nullptr) == 0);
    CHECK(SweepControlSetKey(m.context, SWEEP_REPORT, R"(Services\VxD\ElbyCDIO)", nullptr) == 1);
    CHECK(SweepControlSetKey(m.context, SWEEP_REPORT, R"(Services\VxD\ELBYCDIO)", nullptr) == 1);
    CHECK(m.ReportLines() ==
          "HKLM\\System\\CurrentControlSet\\Services\\VxD\\ElbyCDIO\r\n"
          "HKLM\\System\\CurrentControlSet\\Services\\VxD\\ELBYCDIO\r\n");
    // The second of two rows sharing a stem finds the key already put aside.
    CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\VxD\ElbyCDIO)", nullptr) == 0);
    CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\VxD\ELBYCDIO)", nullptr) == 0);
    CHECK(m.KeyExists(kHklm, R"(System\ControlSet001\OldServices\VxD\ElbyCDIO)"));
    CHECK(SweepControlSetKey(m.context, static_cast<SweepMode>(7), R"(Services\Only2)", nullptr) ==
          0);
}

TEST_CASE("the 9x family: only CurrentControlSet is visited and nothing numbered appears") {
    RegistryMachine m(PLATFORM_9X,
                      R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\CDUDF]
"StaticVxD"="cdudf.vxd"
"Start"=hex:00
)" + std::string(kClassReg));
    CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\VxD\CDUDF)", nullptr) == 2);
    CHECK(m.KeyExists(kHklm, R"(System\CurrentControlSet\OldServices\VxD\CDUDF)"));
    CHECK_FALSE(m.KeyExists(kHklm, R"(System\ControlSet001)"));
    for (SweepMode mode : {SWEEP_REPORT, SWEEP_DISABLE, SWEEP_RESTORE}) {
        CHECK(SweepClassFilters(m.context, mode) == 0);
    }
    // The class key of a 9x machine is never touched.
    CHECK(
        m.Value(kHklm,
                R"(System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318})",
                "LowerFilters")
            .has_value());
    CHECK(SweepControlSetKey(m.context, SWEEP_RESTORE, R"(Services\VxD\CDUDF)", nullptr) == 1);
    CHECK(m.Value(kHklm, R"(System\CurrentControlSet\Services\VxD\CDUDF)", "StaticVxD") ==
          Sz("cdudf.vxd"));
    CHECK_FALSE(m.KeyExists(kHklm, R"(System\ControlSet001)"));
}

TEST_CASE("class filters on NT: case-sensitive disable, counting through the alias, restore") {
    RegistryMachine m(PLATFORM_NT, kClassReg);
    SUBCASE("a filtered call counts again in the numbered pass over the same set") {
        // Pass 0: 3 others + UpperFilters deleted; pass 1 (same set): 3 others.
        CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, kClass, "UpperFilters") == 7);
    }
    SUBCASE("disable, then report, then restore") {
        // Lower: 4 + 4 (nothing matches with letter case); Upper: 4 + 3.
        CHECK(SweepClassFilters(m.context, SWEEP_DISABLE) == 8 + 7);
        CHECK_FALSE(m.Value(kHklm, kClassPath, "UpperFilters"));
        CHECK(m.Value(kHklm, kClassPath, "lowerfilters"));  // letter case differs: stays
        CHECK(m.Value(kHklm, kClassPath, "Class") == Sz("CDROM"));
        CHECK(m.Value(kHklm, kClassTwinPath, "UpperFilters"));
        CHECK(m.Value(kHklm, (std::string(kClassTwinPath) + "\\0000").c_str(), "DriverDesc") ==
              Sz("CD-ROM drive"));

        // A report lists the look-alike: its matching ignores letter case.
        CHECK(SweepClassFilters(m.context, SWEEP_REPORT) == 1);
        CHECK(m.ReportLines() == "lowerfilters   \tType Registry: a00\r\n");

        CHECK(SweepClassFilters(m.context, SWEEP_RESTORE) == 1);
        CHECK(m.Value(kHklm, kClassPath, "UpperFilters") ==
              StoredValue{platform::kRegMultiSz, {'r', 'e', 'd', 'b', 'o', 'o', 'k', 0, 0}});
        CHECK_FALSE(m.KeyExists(kHklm, kClassTwinPath));
    }
}

TEST_CASE("the twin key keeps the first call's LowerFilters when the second copies again") {
    RegistryMachine m(
        PLATFORM_NT,
        R"([HKEY_LOCAL_MACHINE\System\ControlSet001\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}]
"LowerFilters"=hex(7):50,78,48,65,6c,70,32,30,00,00
"UpperFilters"=hex(7):61,00,00
)");
    CHECK(SweepClassFilters(m.context, SWEEP_DISABLE) == 3 + 1);
    CHECK(m.ValueNames(kHklm, kClassPath).empty());
    CHECK(m.ValueNames(kHklm, kClassTwinPath).size() == 2);
    CHECK(SweepClassFilters(m.context, SWEEP_RESTORE) == 1);
    CHECK(m.ValueNames(kHklm, kClassPath).size() == 2);
}

TEST_CASE("shown data of a report, byte for byte") {
    RegistryMachine m(
        PLATFORM_NT,
        R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}]
"LowerFilters"=hex(7):50,78,48,65,6c,70,32,30,00,00
"UpperFilters1"=dword:00000001
"UpperFilters2"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,5c,78,2e,73,79,73,00
"UpperFilters3"="plain text, kept as it is"
"UpperFilters4"=hex(1):41,42
"UpperFilters5"=hex(1234):cf,ff,00
)");
    CHECK(SweepClassFilters(m.context, SWEEP_REPORT) == 6);
    CHECK(m.ReportLines() ==
          "LowerFilters   \tType Registry: PxHelp2000\r\n"
          "UpperFilters1   \tType Registry: 1000\r\n"
          "UpperFilters2   \tType Registry: USystemRootU?x?sys0\r\n"
          "UpperFilters3   \tType Registry: plain text, kept as it is\r\n"
          "UpperFilters4   \tType Registry: AB\r\n"
          "UpperFilters5   \tType Registry: ??0\r\n");
}

TEST_CASE("the ASPI warning entry is put aside by a report sweep and reported by none") {
    RegistryMachine m(
        PLATFORM_9X,
        R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\SessionManager\WarnVerDLLs]
"WINASPI.DLL"="aspi"
"old winaspi.dll"="letter case differs: stays"
"OTHER.DLL"="x"
)");
    const char* warn = R"(System\CurrentControlSet\Control\SessionManager\WarnVerDLLs)";
    const char* twin = R"(System\CurrentControlSet\OldControl\SessionManager\WarnVerDLLs)";
    CHECK(SweepClassFilters(m.context, SWEEP_REPORT) == 0);
    CHECK(m.ReportLines().empty());
    CHECK_FALSE(m.Value(kHklm, warn, "WINASPI.DLL"));
    CHECK(m.Value(kHklm, warn, "old winaspi.dll"));
    CHECK(m.Value(kHklm, warn, "OTHER.DLL"));
    CHECK(m.Value(kHklm, twin, "WINASPI.DLL") == Sz("aspi"));
    // A restore sweep does not bring it back.
    CHECK(SweepClassFilters(m.context, SWEEP_RESTORE) == 0);
    CHECK_FALSE(m.Value(kHklm, warn, "WINASPI.DLL"));
}

TEST_CASE("Run keys: two fragments list twice but delete once; restore brings the union") {
    RegistryMachine m(PLATFORM_NT,
                      R"([HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"RoxioInstant"="C:\\roxio.exe"
"Keep"="C:\\keep.exe"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]
"fastindexer"=hex(2):61,00
)");
    CHECK(SweepRunKeys(m.context, SWEEP_REPORT) == 3);
    CHECK(m.ReportLines() ==
          "RoxioInstant   \tType Registry: C:\\roxio.exe\r\n"
          "RoxioInstant   \tType Registry: C:\\roxio.exe\r\n"
          "fastindexer   \tType Registry: a0\r\n");

    CHECK(SweepRunKeys(m.context, SWEEP_DISABLE) == 2);
    CHECK(m.ValueNames(kHklm, kRun) == std::vector<std::string>{"Keep"});
    CHECK(m.ValueNames(kHkcu, kRun).empty());
    CHECK(m.Value(kHklm, kOldRun, "Keep"));  // the whole key was copied

    // A second disable after a new entry appeared: the twin gathers both.
    {
        platform::RegKey run;
        REQUIRE(m.registry.OpenKey(kHklm, kRun, platform::kKeyAllAccess, run) == 0);
        REQUIRE(m.registry.SetValue(run, "MMTray", platform::kRegSz, "m", 2) == 0);
    }
    CHECK(SweepRunKeys(m.context, SWEEP_DISABLE) == 1);
    CHECK(SweepRunKeys(m.context, SWEEP_RESTORE) == 2);
    CHECK(m.Value(kHklm, kRun, "RoxioInstant") == Sz("C:\\roxio.exe"));
    CHECK(m.Value(kHklm, kRun, "MMTray") == Sz("m"));
    CHECK(m.Value(kHkcu, kRun, "fastindexer") == StoredValue{platform::kRegExpandSz, {'a', 0}});
    CHECK_FALSE(m.KeyExists(kHklm, kOldRun));
    CHECK_FALSE(m.KeyExists(kHkcu, kOldRun));
    CHECK(SweepRunKeys(m.context, SWEEP_RESTORE) == 0);
}

TEST_CASE("a key that does not open with full access counts as absent, in a report too") {
    RegistryMachine m(PLATFORM_NT,
                      R"([HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"Elby"="x"
)");
    REQUIRE(m.registry.LimitAccess(kHklm, kRun, platform::kKeyRead));
    CHECK(SweepRunKeys(m.context, SWEEP_REPORT) == 0);
    CHECK(DeleteMatchingValues(m.registry, m.text, kHklm, kRun, "Elby") == 0);
    CHECK(m.Value(kHklm, kRun, "Elby"));
    CHECK(DeleteMatchingValues(m.registry, m.text, kHklm, kRun, nullptr) == 0);
}

TEST_CASE("ReadStringValue: the text of a REG_SZ, or an empty buffer and 0") {
    RegistryMachine m(PLATFORM_NT, R"([HKEY_CURRENT_USER\Shell Folders]
"Startup"="C:\\Start"
"Expand"=hex(2):43,00
"Empty"=hex(1):
"NoZero"=hex(1):41,42
"Dword"=dword:00000001
)");
    struct Case {
        const char* name;
        int size;
        const char* text;
    };
    const Case cases[] = {
        {"Startup", 9, "C:\\Start"}, {"startup", 9, "C:\\Start"},
        {"Expand", 0, ""},           {"Empty", 0, ""},
        {"NoZero", 3, "AB"},         {"Dword", 0, ""},
        {"Missing", 0, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        char buffer[kRegistryBufferSize] = "Shell Folders";
        CHECK(ReadStringValue(m.registry, kHkcu, buffer, c.name) == c.size);
        CHECK(std::string(buffer) == c.text);
    }
    char missingKey[kRegistryBufferSize] = "No Such Key";
    CHECK(ReadStringValue(m.registry, kHkcu, missingKey, "Startup") == 0);
    CHECK(missingKey[0] == '\0');
    char unterminated[kRegistryBufferSize];
    std::fill(std::begin(unterminated), std::end(unterminated), 'x');
    CHECK(ReadStringValue(m.registry, kHkcu, unterminated, "Startup") == 0);
    CHECK(unterminated[0] == '\0');
    CHECK(m.registry.OpenHandleCount() == 0);
}

TEST_CASE("the Wine class-filter scenario gives the same counts on the emulated machine") {
    // The data of the test under Wine; there, through a CurrentControlSet link
    // to ControlSet001, the stage must count as here through the alias.
    const char* reg =
        R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}]
"Class"="CDROM"
"LowerFilters"=hex(7):50,78,48,65,6c,70,32,30,00,00
"UpperFilters"=hex(7):72,00,00
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}\0000]
"DriverDesc"="drive"
)";
    RegistryMachine m(PLATFORM_NT, reg);
    const auto before = m.registry.Values();
    CHECK(SweepClassFilters(m.context, SWEEP_DISABLE) == 8);
    CHECK(SweepClassFilters(m.context, SWEEP_REPORT) == 0);
    CHECK(SweepClassFilters(m.context, SWEEP_RESTORE) == 1);
    const auto after = m.registry.Values();
    REQUIRE(after.size() == before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        CHECK(platform::emulated::NamesEqual(after[i].first, before[i].first));
        CHECK(after[i].second.type == before[i].second.type);
        CHECK(after[i].second.data == before[i].second.data);
    }
}
