// The buffers and counts that bound a value walk: names of 259 characters,
// data of 260 bytes, 2000 values, fragments of 259 characters.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "registry_machine.h"
#include "sweep/registry_stage.h"
#include "sweep/registry_text.h"

using platform::PLATFORM_NT;
using platform::RegKey;
using platform::RegRoot;
using namespace sweep;
using namespace test;

namespace {

constexpr RegRoot kHkcu = RegRoot::CurrentUser;
constexpr const char* kKey = "Limits";
constexpr const char* kService = R"(System\CurrentControlSet\Services\Limits)";
constexpr const char* kServiceTwin = R"(System\CurrentControlSet\OldServices\Limits)";

void Put(RegistryMachine& m, RegRoot root, const char* path, const std::string& name,
         std::uint32_t dataSize) {
    RegKey key;
    REQUIRE(m.registry.CreateKey(root, path, key) == 0);
    std::vector<std::uint8_t> data(dataSize, 'd');
    REQUIRE(m.registry.SetValue(key, name.c_str(), platform::kRegBinary, data.data(), dataSize) ==
            0);
}

}  // namespace

TEST_CASE("a name of 259 characters is walked, one of 260 is skipped everywhere") {
    for (std::size_t length : {259u, 260u, 261u}) {
        CAPTURE(length);
        const bool fits = length <= kMaxValueNameLength;
        const std::string name = "Elby" + std::string(length - 4, 'n');
        RegistryMachine m(PLATFORM_NT);
        Put(m, kHkcu, kKey, name, 4);
        CHECK(ReportRegistryEntries(m.registry, m.text, *m.report, kHkcu, kKey, "Elby") == (fits ? 1 : 0));
        CHECK(DeleteMatchingValues(m.registry, m.text, kHkcu, kKey, "Elby") == (fits ? 1 : 0));
        CHECK(m.Value(kHkcu, kKey, name.c_str()).has_value() == !fits);

        // A disable without a filter skips it in the walk; it still reaches the
        // twin key through the copy of the whole key, which then goes.
        Put(m, RegRoot::LocalMachine, kService, name, 4);
        CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\Limits)", nullptr) ==
              (fits ? 1 : 0));
        CHECK(m.Value(RegRoot::LocalMachine, kServiceTwin, name.c_str()).has_value());
    }
}

TEST_CASE("data of 260 bytes is read, 261 bytes is skipped; a name-only walk reads any size") {
    for (std::uint32_t size : {259u, 260u, 261u}) {
        CAPTURE(size);
        const bool fits = size <= kMaxValueDataBytes;
        RegistryMachine m(PLATFORM_NT);
        Put(m, kHkcu, kKey, "Roxio", size);
        CHECK(ReportRegistryEntries(m.registry, m.text, *m.report, kHkcu, kKey, "Roxio") == (fits ? 1 : 0));
        if (fits) {
            CHECK(m.ReportLines() ==
                  "Roxio   \tType Registry: " + std::string(kMaxValueDataBytes - 1, 'd') + "\r\n");
        }
        CHECK(DeleteMatchingValues(m.registry, m.text, kHkcu, kKey, "Roxio") == 1);

        Put(m, RegRoot::LocalMachine, kService, "Value", size);
        CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\Limits)", "Val") ==
              (fits ? 1 : 0));
        // Not moved by the walk; kept by the copy of the whole key.
        CHECK(m.Value(RegRoot::LocalMachine, kService, "Value").has_value() == !fits);
        CHECK(m.Value(RegRoot::LocalMachine, kServiceTwin, "Value")->data.size() == size);
    }
}

TEST_CASE("a walk examines the first 2000 values and leaves the rest") {
    for (int values : {2000, 2001}) {
        CAPTURE(values);
        RegistryMachine m(PLATFORM_NT);
        RegKey key;
        REQUIRE(m.registry.CreateKey(kHkcu, kKey, key) == 0);
        for (int i = 0; i < values; ++i) {
            std::string name = "Index" + std::to_string(i);
            REQUIRE(m.registry.SetValue(key, name.c_str(), platform::kRegSz, "", 1) == 0);
        }
        CHECK(ReportRegistryEntries(m.registry, m.text, *m.report, kHkcu, kKey, "Index") == 2000);
        // Deleting as it goes must not make the walk pass over any value.
        CHECK(DeleteMatchingValues(m.registry, m.text, kHkcu, kKey, "Index") == 2000);
        const auto left = m.ValueNames(kHkcu, kKey);
        CHECK(left.size() == static_cast<std::size_t>(values - 2000));
        if (!left.empty()) CHECK(left.front() == "Index2000");
    }
}

TEST_CASE("values that do not fit count toward the 2000 examined") {
    RegistryMachine m(PLATFORM_NT);
    Put(m, kHkcu, kKey, "Big", kMaxValueDataBytes + 1);
    RegKey key;
    REQUIRE(m.registry.OpenKey(kHkcu, kKey, platform::kKeyAllAccess, key) == 0);
    for (int i = 0; i < 2000; ++i) {
        std::string name = "v" + std::to_string(i);
        REQUIRE(m.registry.SetValue(key, name.c_str(), platform::kRegSz, "", 1) == 0);
    }
    CHECK(ReportRegistryEntries(m.registry, m.text, *m.report, kHkcu, kKey, "v") == 1999);
}

TEST_CASE("a fragment is cut to 259 characters before it is sought") {
    struct Case {
        std::size_t fragmentLength;
        std::size_t nameLength;
        int found;
    };
    // A 300-character fragment cut to 259 is found in a 259-character name.
    const Case cases[] = {{259, 259, 1}, {260, 259, 1}, {300, 259, 1}, {259, 258, 0}};
    for (const Case& c : cases) {
        CAPTURE(c.fragmentLength);
        CAPTURE(c.nameLength);
        RegistryMachine m(PLATFORM_NT);
        Put(m, kHkcu, kKey, std::string(c.nameLength, 'f'), 1);
        const std::string fragment(c.fragmentLength, 'F');
        CHECK(ReportRegistryEntries(m.registry, m.text, *m.report, kHkcu, kKey, fragment.c_str()) ==
              c.found);
        CHECK(DeleteMatchingValues(m.registry, m.text, kHkcu, kKey, fragment.c_str()) == c.found);
    }
}

TEST_CASE("a key path that does not fit the buffer reaches no key") {
    RegistryMachine m(PLATFORM_NT);
    const std::string longKey = "Services\\" + std::string(260, 'k');
    CHECK(SweepControlSetKey(m.context, SWEEP_REPORT, longKey.c_str(), nullptr) == 0);
    CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, longKey.c_str(), nullptr) == 0);
    CHECK(m.ReportLines().empty());
}
