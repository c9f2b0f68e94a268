// What the emulated registry adds to the contract every backend keeps: the
// control-set layout of the two families, REGEDIT4 text, access limits and
// injected faults.
#include "platform/emulated/emulated_registry.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>

using namespace platform;
using namespace platform::emulated;

namespace {

constexpr const char* kHeader = "REGEDIT4\r\n\r\n";

RegResult SetSz(Registry& registry, RegRoot root, const char* path, const char* name,
                const char* text) {
    RegKey key;
    if (RegResult result = registry.CreateKey(root, path, key)) return result;
    return registry.SetValue(key, name, kRegSz, text,
                             static_cast<std::uint32_t>(std::strlen(text) + 1));
}

bool Exists(Registry& registry, RegRoot root, const char* path) {
    RegKey key;
    return registry.OpenKey(root, path, kKeyRead, key) == kErrorSuccess;
}

}  // namespace

TEST_CASE("NT: CurrentControlSet names the chosen numbered set") {
    EmulatedRegistry registry(PLATFORM_NT, 2);
    CHECK(Exists(registry, RegRoot::LocalMachine, R"(System\ControlSet002)"));
    CHECK_FALSE(Exists(registry, RegRoot::LocalMachine, R"(System\ControlSet001)"));
    REQUIRE(SetSz(registry, RegRoot::LocalMachine, R"(SYSTEM\currentcontrolset\Services\X)", "v",
                  "1") == 0);
    CHECK(Exists(registry, RegRoot::LocalMachine, R"(System\ControlSet002\Services\X)"));
    // Deleting through the alias deletes the numbered set's key.
    CHECK(registry.DeleteTree(RegRoot::LocalMachine, R"(System\CurrentControlSet\Services\X)") ==
          0);
    CHECK_FALSE(Exists(registry, RegRoot::LocalMachine, R"(System\ControlSet002\Services\X)"));
    // Only HKLM\System has the alias.
    REQUIRE(SetSz(registry, RegRoot::CurrentUser, R"(System\CurrentControlSet)", "v", "1") == 0);
    CHECK_FALSE(Exists(registry, RegRoot::CurrentUser, R"(System\ControlSet002)"));
    const std::string saved = registry.SaveRegFile();
    CHECK(saved.find("CurrentControlSet]") != std::string::npos);  // the HKCU key
    CHECK(saved.find(R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet)") == std::string::npos);
}

TEST_CASE("9x: CurrentControlSet is a key of its own and no numbered set exists") {
    EmulatedRegistry registry(PLATFORM_9X);
    CHECK(Exists(registry, RegRoot::LocalMachine, R"(System\CurrentControlSet)"));
    for (const char* set :
         {R"(System\ControlSet001)", R"(System\ControlSet002)", R"(System\ControlSet003)"}) {
        CHECK_FALSE(Exists(registry, RegRoot::LocalMachine, set));
    }
    // No key security on this family: any rights are granted.
    REQUIRE(registry.LimitAccess(RegRoot::LocalMachine, "System", kKeyRead));
    RegKey key;
    CHECK(registry.OpenKey(RegRoot::LocalMachine, "System", kKeyAllAccess, key) == 0);
    RegKey readOnly;
    REQUIRE(registry.OpenKey(RegRoot::LocalMachine, "System", kKeyRead, readOnly) == 0);
    CHECK(registry.SetValue(readOnly, "v", kRegBinary, "", 0) == 0);
}

TEST_CASE("NT: a key limited by its security refuses opens asking for more") {
    EmulatedRegistry registry(PLATFORM_NT);
    REQUIRE(SetSz(registry, RegRoot::CurrentUser, "Limited", "v", "1") == 0);
    REQUIRE(registry.LimitAccess(RegRoot::CurrentUser, "Limited", kKeyRead));
    RegKey key;
    CHECK(registry.OpenKey(RegRoot::CurrentUser, "Limited", kKeyAllAccess, key) ==
          kErrorAccessDenied);
    CHECK_FALSE(key.IsOpen());
    CHECK(registry.OpenKey(RegRoot::CurrentUser, "Limited", kKeyRead, key) == 0);
    CHECK(registry.DeleteValueAt(RegRoot::CurrentUser, "Limited", "v") == kErrorAccessDenied);
    CHECK(registry.DeleteTree(RegRoot::CurrentUser, "Limited") == kErrorAccessDenied);
    CHECK_FALSE(registry.LimitAccess(RegRoot::CurrentUser, "Missing", kKeyRead));
}

TEST_CASE("REGEDIT4 text: every value type survives a save and a load") {
    const std::string text =
        std::string(kHeader) +
        "[HKEY_CURRENT_USER\\Software\\Types]\r\n"
        "@=\"default\"\r\n"
        "\"Quote \\\"and\\\\ back\"=\"C:\\\\Path \\\"x\\\"\"\r\n"
        "\"Dword\"=dword:fedcba98\r\n"
        "\"Binary\"=hex:00,ff,10\r\n"
        "\"Empty\"=hex:\r\n"
        "\"Expand\"=hex(2):25,00\r\n"
        "\"Multi\"=hex(7):61,00,62,00,00\r\n"
        "\"Odd\"=hex(12345):de,ad\r\n"
        "\"NoZero\"=hex(1):41,42\r\n"
        "\"ShortDword\"=hex(4):01\r\n"
        "\"Latin\"=\"\xE9t\xE9\"\r\n"
        "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,\\\r\n"
        "  14,15,16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,\\\n"
        "  2b\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Empty Key]\r\n";
    EmulatedRegistry first(PLATFORM_NT);
    REQUIRE(first.LoadRegFile(text));
    const auto values = first.Values();
    REQUIRE(values.size() == 12);
    CHECK(values[0].second.name.empty());
    CHECK(values[1].second.name == "Quote \"and\\ back");
    CHECK(values[1].second.data ==
          std::vector<std::uint8_t>{'C', ':', '\\', 'P', 'a', 't', 'h', ' ', '"', 'x', '"', 0});
    CHECK(values[2].second.data == std::vector<std::uint8_t>{0x98, 0xba, 0xdc, 0xfe});
    CHECK(values[4].second.data.empty());
    CHECK(values[7].second.type == 0x12345);
    CHECK(values[11].second.data.size() == 44);
    CHECK(values[11].second.data[43] == 0x2b);

    const std::string saved = first.SaveRegFile();
    EmulatedRegistry second(PLATFORM_NT);
    REQUIRE(second.LoadRegFile(saved));
    CHECK(second.SaveRegFile() == saved);
    const auto again = second.Values();
    REQUIRE(again.size() == values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        CAPTURE(values[i].second.name);
        CHECK(again[i].second.name == values[i].second.name);
        CHECK(again[i].second.type == values[i].second.type);
        CHECK(again[i].second.data == values[i].second.data);
    }
    CHECK(Exists(second, RegRoot::LocalMachine, R"(Software\Empty Key)"));
}

TEST_CASE("REGEDIT4 text: deletions, and lines that cannot be read") {
    EmulatedRegistry registry(PLATFORM_NT);
    REQUIRE(registry.LoadRegFile(std::string(kHeader) +
                                 "[HKEY_CURRENT_USER\\A\\B]\n\"v\"=\"1\"\n\"w\"=\"2\"\n"
                                 "[HKEY_CURRENT_USER\\A]\n\"w\"=-\n"
                                 "[HKEY_CURRENT_USER\\A\\B]\n\"w\"=-\n"
                                 "[-HKEY_CURRENT_USER\\A\\C]\n"));
    CHECK(registry.Values().size() == 1);
    REQUIRE(registry.LoadRegFile(std::string(kHeader) + "[-HKEY_CURRENT_USER\\A]\n"));
    CHECK_FALSE(Exists(registry, RegRoot::CurrentUser, "A"));
    const char* bad[] = {
        "REGEDIT5\n",
        "REGEDIT4\n\"v\"=\"no key yet\"\n",
        "REGEDIT4\n[HKEY_CLASSES_ROOT\\x]\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=dword:123\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=dword:-1234567\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=hex:1,2\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=hex(zz):01\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v=\"1\"\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\x]\n\"v\"=\"open\n",
        "REGEDIT4\n[HKEY_CURRENT_USER\\x\n",
    };
    for (const char* text : bad) {
        CAPTURE(text);
        EmulatedRegistry fresh(PLATFORM_NT);
        CHECK_FALSE(fresh.LoadRegFile(text));
    }
}

TEST_CASE("faults: every operation of a kind, the Nth one, or every write below a key") {
    EmulatedRegistry registry(PLATFORM_NT);
    REQUIRE(SetSz(registry, RegRoot::CurrentUser, R"(Fault\Inner)", "v", "1") == 0);

    registry.Faults().FailEvery(OpBit(RegOp::Query), kErrorAccessDenied);
    RegKey key;
    REQUIRE(registry.OpenKey(RegRoot::CurrentUser, R"(Fault\Inner)", kKeyAllAccess, key) == 0);
    std::uint32_t size = 0;
    CHECK(registry.QueryValue(key, "v", nullptr, nullptr, &size) == kErrorAccessDenied);
    CHECK(registry.QueryValue(key, "v", nullptr, nullptr, &size) == kErrorAccessDenied);
    registry.Faults().Clear();
    CHECK(registry.QueryValue(key, "v", nullptr, nullptr, &size) == 0);

    registry.Faults().FailNth(2, OpBit(RegOp::Set) | OpBit(RegOp::DeleteValue), 1234);
    CHECK(registry.SetValue(key, "a", kRegBinary, "", 0) == 0);
    CHECK(registry.DeleteValue(key, "a") == 1234);
    CHECK(registry.DeleteValue(key, "a") == 0);

    registry.Faults().FailWritesUnder(registry.FullPathOf(RegRoot::CurrentUser, "Fault"), 5);
    CHECK(registry.SetValue(key, "b", kRegBinary, "", 0) == 5);
    CHECK(registry.DeleteTree(RegRoot::CurrentUser, "Fault") == 5);
    RegKey created;
    CHECK(registry.CreateKey(RegRoot::CurrentUser, R"(Fault\New)", created) == 5);
    CHECK(registry.CreateKey(RegRoot::CurrentUser, R"(Faulty)", created) == 0);  // a sibling
    CHECK(registry.QueryValue(key, "v", nullptr, nullptr, &size) == 0);          // reads work
    CHECK(registry.OperationCount(OpBit(RegOp::Create)) == 3);
}

TEST_CASE("a hive save: refused on NT without the backup privilege, saved on 9x, never written over") {
    for (PlatformKind kind : {PLATFORM_NT, PLATFORM_9X}) {
        CAPTURE(kind);
        EmulatedRegistry registry(kind);
        REQUIRE(SetSz(registry, RegRoot::LocalMachine, "Software\\Shared", "C:\\a.dll", "1") == 0);
        RegKey key;
        REQUIRE(registry.OpenKey(RegRoot::LocalMachine, "Software\\Shared", kKeyAllAccess, key) == 0);
        CHECK(registry.SaveKey(key, "C:\\hive.dat") ==
              (kind == PLATFORM_NT ? kErrorPrivilegeNotHeld : kErrorSuccess));
        REQUIRE(registry.HiveFile("c:\\HIVE.DAT") != nullptr);
        const std::string first = *registry.HiveFile("c:\\HIVE.DAT");
        CHECK(first.empty() == (kind == PLATFORM_NT));
        if (kind == PLATFORM_9X) CHECK(first.find("\"C:\\\\a.dll\"=\"1\"") != std::string::npos);
        REQUIRE(SetSz(registry, RegRoot::LocalMachine, "Software\\Shared", "C:\\b.dll", "1") == 0);
        CHECK(registry.SaveKey(key, "C:\\hive.dat") == kErrorAlreadyExists);
        CHECK(*registry.HiveFile("C:\\hive.dat") == first);
    }
}

TEST_CASE("a cut leaves a key tree copy half done, in the shell's order, and stops every call") {
    EmulatedRegistry registry(PLATFORM_9X);
    CutOff cutOff;
    registry.SetCutOff(&cutOff);
    REQUIRE(SetSz(registry, RegRoot::LocalMachine, R"(Software\From\Sub)", "s", "1") == 0);
    REQUIRE(SetSz(registry, RegRoot::LocalMachine, R"(Software\From)", "a", "2") == 0);
    REQUIRE(SetSz(registry, RegRoot::LocalMachine, R"(Software\From)", "b", "3") == 0);
    RegKey from, to;
    REQUIRE(registry.OpenKey(RegRoot::LocalMachine, R"(Software\From)", kKeyRead, from) == 0);
    REQUIRE(registry.CreateKey(RegRoot::LocalMachine, R"(Software\To)", to) == 0);

    // Subkey made, its value, the first value of the key: then the cut.
    cutOff.After(3);
    CHECK(registry.CopyTree(from, to) != kErrorSuccess);
    CHECK(cutOff.Gone());
    CHECK(registry.SaveRegFile().find("[HKEY_LOCAL_MACHINE\\Software\\To]\r\n\"a\"=\"2\"\r\n\r\n"
                                      "[HKEY_LOCAL_MACHINE\\Software\\To\\Sub]\r\n\"s\"=\"1\"") !=
          std::string::npos);
    CHECK(registry.SaveRegFile().find("\"b\"=\"3\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\To") ==
          std::string::npos);
    // Gone: reads fail too, and a delete changes nothing.
    RegKey again;
    CHECK(registry.OpenKey(RegRoot::LocalMachine, R"(Software\From)", kKeyRead, again) != 0);
    CHECK(registry.DeleteTree(RegRoot::LocalMachine, R"(Software\From)") != 0);

    cutOff.Lift();
    CHECK(Exists(registry, RegRoot::LocalMachine, R"(Software\From\Sub)"));
    // A hive save is the empty file, its first half, the rest.
    std::string written[4];
    for (std::uint64_t steps = 0; steps <= 3; ++steps) {
        const std::string path = "C:\\HIVE" + std::to_string(steps) + ".DAT";
        cutOff.After(steps);
        registry.SaveKey(from, path.c_str());
        cutOff.Lift();
        const std::string* hive = registry.HiveFile(path.c_str());
        CHECK((hive != nullptr) == (steps > 0));
        if (hive != nullptr) written[steps] = *hive;
    }
    CHECK(written[1].empty());
    CHECK(written[2] == written[3].substr(0, written[3].size() / 2));
    CHECK(written[3].find("\"s\"=\"1\"") != std::string::npos);
}
