// What every registry backend does, checked the same way on the emulated
// machine and on the real registry: failures leave outputs untouched, values
// keep their type and bytes, names ignore case, deleting while enumerating
// moves later values down, a copy merges, a tree delete takes everything.
#include <doctest/doctest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/contract/registry_backend.h"

using namespace platform;

namespace {

constexpr RegRoot kRoot = RegRoot::CurrentUser;
constexpr const char* kScratch = "Software\\DravolinRegistryContract";
constexpr std::uint8_t kSentinelByte = 0xAB;
constexpr ValueType kSentinelType = 0xDEADBEEF;

std::string Under(const char* path) {
    return std::string(kScratch) + "\\" + path;
}

// Every test owns the scratch key: made empty before, removed after.
struct ScratchKey {
    Registry& registry = contract::RegistryUnderTest();
    RegKey key;
    ScratchKey() {
        registry.DeleteTree(kRoot, kScratch);
        REQUIRE(registry.CreateKey(kRoot, kScratch, key) == kErrorSuccess);
    }
    ~ScratchKey() {
        key.Reset();
        registry.DeleteTree(kRoot, kScratch);
    }
    RegKey Create(const char* path) {
        RegKey created;
        REQUIRE(registry.CreateKey(kRoot, Under(path).c_str(), created) == kErrorSuccess);
        return created;
    }
};

struct Bytes {
    ValueType type;
    std::vector<std::uint8_t> data;
};

Bytes Read(Registry& registry, const RegKey& key, const char* name) {
    std::uint32_t size = 0;
    ValueType type = kSentinelType;
    if (registry.QueryValue(key, name, &type, nullptr, &size) != kErrorSuccess) return {0, {}};
    Bytes value{type, std::vector<std::uint8_t>(size)};
    REQUIRE(registry.QueryValue(key, name, &type, value.data.data(), &size) == kErrorSuccess);
    return value;
}

RegResult Set(Registry& registry, const RegKey& key, const char* name, ValueType type,
              const std::vector<std::uint8_t>& data) {
    return registry.SetValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
}

std::vector<std::uint8_t> Text(const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

std::set<std::string> Names(Registry& registry, const RegKey& key) {
    std::set<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
        char name[512];
        std::uint32_t length = sizeof name;
        if (registry.EnumValue(key, i, name, &length, nullptr, nullptr, nullptr) != kErrorSuccess) {
            break;
        }
        names.insert(name);
    }
    return names;
}

// Values of every kind of type and content a sweep may meet.
const std::vector<std::pair<const char*, Bytes>>& TypedValues() {
    static const std::vector<std::pair<const char*, Bytes>> values = {
        {"sz", {kRegSz, Text("C:\\Program Files\\\xE9t\xE9.exe")}},
        {"expand", {kRegExpandSz, Text("%SystemRoot%\\x.sys")}},
        {"multi", {kRegMultiSz, {'P', 'x', 0, 'a', 'b', 0, 0}}},
        {"dword", {kRegDword, {0x01, 0x00, 0x00, 0x80}}},
        {"binary", {kRegBinary, {0x00, 0xFF, 0x00, 0x7F, 0x80}}},
        {"empty", {kRegBinary, {}}},
        {"none", {kRegNone, {0x12, 0x34}}},
        {"other", {0x12345, {0xDE, 0xAD, 0x00}}},
    };
    return values;
}

}  // namespace

TEST_CASE("a query whose data does not fit fails and changes no output") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    const std::vector<std::uint8_t> eight = {1, 2, 3, 4, 5, 6, 7, 8};
    REQUIRE(Set(registry, scratch.key, "Eight", kRegBinary, eight) == kErrorSuccess);

    std::uint8_t buffer[8];
    std::memset(buffer, kSentinelByte, sizeof buffer);
    ValueType type = kSentinelType;
    std::uint32_t size = 7;
    CHECK(registry.QueryValue(scratch.key, "Eight", &type, buffer, &size) == kErrorMoreData);
    CHECK(type == kSentinelType);
    CHECK(size == 7);
    for (std::uint8_t byte : buffer) CHECK(byte == kSentinelByte);

    size = 0;
    CHECK(registry.QueryValue(scratch.key, "Eight", &type, nullptr, &size) == kErrorSuccess);
    CHECK(size == 8);
    CHECK(type == kRegBinary);
    size = 8;
    CHECK(registry.QueryValue(scratch.key, "Eight", &type, buffer, &size) == kErrorSuccess);
    CHECK(std::vector<std::uint8_t>(buffer, buffer + 8) == eight);

    size = 8;
    type = kSentinelType;
    CHECK(registry.QueryValue(scratch.key, "Missing", &type, buffer, &size) == kErrorFileNotFound);
    CHECK(type == kSentinelType);
    CHECK(size == 8);
}

TEST_CASE("enumeration: names and data that do not fit fail; the end is reported") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    const std::string name259(259, 'n');
    REQUIRE(Set(registry, scratch.key, name259.c_str(), kRegBinary,
                std::vector<std::uint8_t>(260, 7)) == kErrorSuccess);

    char name[260];
    std::uint8_t data[260];
    std::uint32_t length = sizeof name;
    std::uint32_t size = sizeof data;
    ValueType type = kSentinelType;
    CHECK(registry.EnumValue(scratch.key, 0, name, &length, &type, data, &size) == kErrorSuccess);
    CHECK(length == 259);
    CHECK(std::string(name) == name259);
    CHECK(size == 260);
    CHECK(type == kRegBinary);

    std::memset(name, 'x', sizeof name);
    length = 259;  // no room for the terminator
    size = sizeof data;
    type = kSentinelType;
    CHECK(registry.EnumValue(scratch.key, 0, name, &length, &type, data, &size) == kErrorMoreData);
    CHECK(length == 259);
    CHECK(type == kSentinelType);
    CHECK(name[0] == 'x');

    length = sizeof name;
    size = 259;
    std::memset(data, kSentinelByte, sizeof data);
    CHECK(registry.EnumValue(scratch.key, 0, name, &length, &type, data, &size) == kErrorMoreData);
    CHECK(size == 259);
    CHECK(data[0] == kSentinelByte);
    // Reading the name only, the data's size does not matter.
    length = sizeof name;
    CHECK(registry.EnumValue(scratch.key, 0, name, &length, nullptr, nullptr, nullptr) ==
          kErrorSuccess);

    length = sizeof name;
    CHECK(registry.EnumValue(scratch.key, 1, name, &length, nullptr, nullptr, nullptr) ==
          kErrorNoMoreItems);
}

TEST_CASE("deleting while enumerating moves every later value down by one") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    for (const char* name : {"v1", "v2", "v3", "v4", "v5"}) {
        REQUIRE(Set(registry, scratch.key, name, kRegSz, Text(name)) == kErrorSuccess);
    }
    std::vector<std::string> seen;
    std::uint32_t index = 0;
    for (;;) {
        char name[16];
        std::uint32_t length = sizeof name;
        if (registry.EnumValue(scratch.key, index, name, &length, nullptr, nullptr, nullptr) !=
            kErrorSuccess) {
            break;
        }
        seen.emplace_back(name);
        const bool remove = seen.back() == "v2" || seen.back() == "v4";
        if (remove && registry.DeleteValue(scratch.key, name) == kErrorSuccess) continue;
        ++index;
    }
    CHECK(std::set<std::string>(seen.begin(), seen.end()) ==
          std::set<std::string>{"v1", "v2", "v3", "v4", "v5"});
    CHECK(seen.size() == 5);
    CHECK(Names(registry, scratch.key) == std::set<std::string>{"v1", "v3", "v5"});
}

TEST_CASE("value types and bytes survive a set, a copy and an enumeration") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    RegKey source = scratch.Create("Source");
    RegKey copy = scratch.Create("Copy");
    for (const auto& [name, value] : TypedValues()) {
        REQUIRE(Set(registry, source, name, value.type, value.data) == kErrorSuccess);
    }
    REQUIRE(registry.CopyTree(source, copy) == kErrorSuccess);
    for (const auto& [name, value] : TypedValues()) {
        CAPTURE(name);
        for (const RegKey* key : {&source, &copy}) {
            Bytes read = Read(registry, *key, name);
            CHECK(read.type == value.type);
            CHECK(read.data == value.data);
        }
    }
    std::uint32_t index = 0;
    for (;; ++index) {
        char name[64];
        std::uint8_t data[64];
        std::uint32_t length = sizeof name;
        std::uint32_t size = sizeof data;
        ValueType type = 0;
        if (registry.EnumValue(copy, index, name, &length, &type, data, &size) != kErrorSuccess) {
            break;
        }
        for (const auto& [expectedName, value] : TypedValues()) {
            if (std::string(expectedName) != name) continue;
            CAPTURE(name);
            CHECK(type == value.type);
            CHECK(std::vector<std::uint8_t>(data, data + size) == value.data);
        }
    }
    CHECK(index == TypedValues().size());
}

TEST_CASE("a copy merges into an existing key: same names overwritten, the rest kept") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    RegKey source = scratch.Create("From");
    RegKey sourceSub = scratch.Create("From\\Sub");
    RegKey sourceDeep = scratch.Create("From\\Deep\\Er");
    RegKey target = scratch.Create("To");
    RegKey targetSub = scratch.Create("To\\SUB");
    REQUIRE(Set(registry, source, "Shared", kRegSz, Text("new")) == kErrorSuccess);
    REQUIRE(Set(registry, source, "OnlySource", kRegDword, {1, 0, 0, 0}) == kErrorSuccess);
    REQUIRE(Set(registry, sourceSub, "Y", kRegSz, Text("y")) == kErrorSuccess);
    REQUIRE(Set(registry, sourceDeep, "Z", kRegSz, Text("z")) == kErrorSuccess);
    REQUIRE(Set(registry, target, "SHARED", kRegBinary, {9}) == kErrorSuccess);
    REQUIRE(Set(registry, target, "OnlyTarget", kRegSz, Text("stays")) == kErrorSuccess);
    REQUIRE(Set(registry, targetSub, "X", kRegSz, Text("x")) == kErrorSuccess);

    REQUIRE(registry.CopyTree(kRoot, Under("From").c_str(), target) == kErrorSuccess);
    CHECK(Read(registry, target, "Shared").data == Text("new"));
    CHECK(Read(registry, target, "Shared").type == kRegSz);
    CHECK(Read(registry, target, "OnlyTarget").data == Text("stays"));
    CHECK(Read(registry, target, "OnlySource").type == kRegDword);
    CHECK(Names(registry, targetSub) == std::set<std::string>{"X", "Y"});
    RegKey deep;
    REQUIRE(registry.OpenKey(kRoot, Under("To\\Deep\\Er").c_str(), kKeyRead, deep) ==
            kErrorSuccess);
    CHECK(Read(registry, deep, "Z").data == Text("z"));
    // The source is left as it was.
    CHECK(Names(registry, source) == std::set<std::string>{"Shared", "OnlySource"});

    CHECK(registry.CopyTree(kRoot, Under("Missing").c_str(), target) == kErrorFileNotFound);
}

TEST_CASE("a tree delete takes the key with every subkey; an open key then reports it gone") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    RegKey tree = scratch.Create("Tree\\A\\B");
    scratch.Create("Tree\\C");
    REQUIRE(Set(registry, tree, "v", kRegSz, Text("1")) == kErrorSuccess);
    CHECK(registry.DeleteTree(kRoot, Under("tree").c_str()) == kErrorSuccess);
    RegKey gone;
    CHECK(registry.OpenKey(kRoot, Under("Tree").c_str(), kKeyRead, gone) == kErrorFileNotFound);
    CHECK_FALSE(gone.IsOpen());
    std::uint32_t size = 0;
    CHECK(registry.QueryValue(tree, "v", nullptr, nullptr, &size) == kErrorKeyDeleted);
    CHECK(registry.DeleteTree(kRoot, Under("Tree").c_str()) == kErrorFileNotFound);
}

TEST_CASE("key and value names compare without case and keep the case they were made with") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    RegKey made = scratch.Create("CaseKey");
    REQUIRE(Set(registry, made, "Value", kRegSz, Text("1")) == kErrorSuccess);
    RegKey opened;
    REQUIRE(registry.OpenKey(kRoot, Under("CASEKEY").c_str(), kKeyAllAccess, opened) ==
            kErrorSuccess);
    REQUIRE(Set(registry, opened, "VALUE", kRegSz, Text("2")) == kErrorSuccess);
    CHECK(Names(registry, made) == std::set<std::string>{"Value"});
    CHECK(Read(registry, made, "vALUE").data == Text("2"));
    CHECK(registry.DeleteValueAt(kRoot, Under("casekey").c_str(), "VaLuE") == kErrorSuccess);
    CHECK(Names(registry, made).empty());
    CHECK(registry.DeleteValueAt(kRoot, Under("casekey").c_str(), "Value") == kErrorFileNotFound);
    CHECK(registry.DeleteValue(made, "Value") == kErrorFileNotFound);
}

TEST_CASE("a key opened for reading refuses writes; the value delete by path opens its own") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    RegKey made = scratch.Create("ReadOnly");
    REQUIRE(Set(registry, made, "v", kRegSz, Text("1")) == kErrorSuccess);
    RegKey reading;
    REQUIRE(registry.OpenKey(kRoot, Under("ReadOnly").c_str(), kKeyRead, reading) == kErrorSuccess);
    CHECK(Set(registry, reading, "w", kRegSz, Text("1")) == kErrorAccessDenied);
    CHECK(registry.DeleteValue(reading, "v") == kErrorAccessDenied);
    CHECK(registry.DeleteValueAt(kRoot, Under("ReadOnly").c_str(), "v") == kErrorSuccess);
    CHECK(Names(registry, made).empty());
}

TEST_CASE("creating makes missing parents and opens what exists; closing empties the key") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    RegKey first;
    REQUIRE(registry.CreateKeyEx(kRoot, Under("P\\Q\\R").c_str(), kKeyRead | kKeyWrite, first) ==
            kErrorSuccess);
    REQUIRE(Set(registry, first, "v", kRegSz, Text("1")) == kErrorSuccess);
    RegKey again;
    REQUIRE(registry.CreateKey(kRoot, Under("p\\q\\r").c_str(), again) == kErrorSuccess);
    CHECK(Names(registry, again) == std::set<std::string>{"v"});
    CHECK(registry.CloseKey(again) == kErrorSuccess);
    CHECK_FALSE(again.IsOpen());
    CHECK(registry.CloseKey(again) == kErrorInvalidHandle);
    RegKey moved = std::move(first);
    CHECK_FALSE(first.IsOpen());
    CHECK(Names(registry, moved) == std::set<std::string>{"v"});
}

TEST_CASE("a hive file is never written over") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    const std::string path = contract::NewHiveFilePath();
    // The first save may fail where the backup privilege is not held; it still
    // leaves a file behind there, and the second save must not replace it.
    registry.SaveKey(scratch.key, path.c_str());
    CHECK(registry.SaveKey(scratch.key, path.c_str()) != kErrorSuccess);
}

TEST_CASE("a hive save without the backup privilege fails as not held") {
    // A sweep saves SharedDLLs without enabling the privilege: on Windows, and
    // under Wine, the one-time backup never holds a hive.
    ScratchKey scratch;
    const std::string path = contract::NewHiveFilePath();
    CHECK(scratch.registry.SaveKey(scratch.key, path.c_str()) == kErrorPrivilegeNotHeld);
}

// On the NT family the registry holds Unicode; the A calls show a character
// without a form in the system's ANSI code page as '?', in names and in text
// data, and that name reaches another value or none. A value copy keeps it.
TEST_CASE("names and text without an ANSI form: the A calls show '?', a value copy keeps them") {
    ScratchKey scratch;
    Registry& registry = scratch.registry;
    contract::SetValueWithoutAnsiForm(kScratch, u"Описание", u"Фильтр");

    char name[260];
    std::uint8_t data[260];
    std::uint32_t length = sizeof name;
    std::uint32_t size = sizeof data;
    ValueType type = kSentinelType;
    REQUIRE(registry.EnumValue(scratch.key, 0, name, &length, &type, data, &size) == kErrorSuccess);
    CHECK(std::string(name) == "????????");
    CHECK(type == kRegSz);
    CHECK(std::string(reinterpret_cast<const char*>(data), size) == std::string("??????", 7));
    CHECK(registry.CheckAnsiName(scratch.key, 0) == kErrorNoUnicodeTranslation);
    CHECK(registry.QueryValue(scratch.key, "????????", nullptr, nullptr, nullptr) ==
          kErrorFileNotFound);

    RegKey copy = scratch.Create("Copy");
    CHECK(registry.CopyValue(scratch.key, 0, copy) == kErrorSuccess);
    CHECK(contract::ExactValues(Under("Copy").c_str()) == contract::ExactValues(kScratch));
    CHECK(registry.CopyValue(scratch.key, 1, copy) == kErrorNoMoreItems);

    // A value named by the '?' themselves is another value, and the A calls
    // name it exactly.
    REQUIRE(Set(registry, copy, "????????", kRegSz, Text("plain")) == kErrorSuccess);
    CHECK(Read(registry, copy, "????????").data == Text("plain"));
    CHECK(contract::ExactValues(Under("Copy").c_str()).size() == 2);
    for (std::uint32_t index = 0; index < 2; ++index) {
        length = sizeof name;
        size = sizeof data;
        REQUIRE(registry.EnumValue(copy, index, name, &length, nullptr, data, &size) ==
                kErrorSuccess);
        const bool plain = std::string(reinterpret_cast<const char*>(data)) == "plain";
        CHECK(registry.CheckAnsiName(copy, index) ==
              (plain ? kErrorSuccess : kErrorNoUnicodeTranslation));
    }
}
