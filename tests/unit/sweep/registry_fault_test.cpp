// Registry failures during a disable or restore sweep: whichever single write,
// copy or delete of the stage fails, every value and key is still found, with
// its type and bytes, in its own key or in its twin.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "registry_machine.h"
#include "sweep/registry_stage.h"

using platform::PLATFORM_NT;
using platform::emulated::kRegChangingOps;
using platform::emulated::NamesEqual;
using platform::emulated::OpBit;
using platform::emulated::RegOp;
using platform::emulated::RegValue;
using platform::emulated::SplitPath;
using namespace sweep;
using namespace test;

namespace {

constexpr const char* kMachine = R"([HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Drv]
"Start"=dword:00000003
"ImagePath"=hex(2):25,53,25,00
"Group"="Filter"
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Drv\Enum]
"Count"=dword:00000001
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}]
"Class"="CDROM"
"LowerFilters"=hex(7):50,78,48,65,6c,70,32,30,00,00
"UpperFilters"=hex(7):72,65,64,00,00
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}\0000]
"DriverDesc"="drive"
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\SessionManager\WarnVerDLLs]
"WINASPI.DLL"="a"
"Other"="b"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run]
"RoxioTray"="r.exe"
"Keep"="k.exe"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]
"NeroCheck"=hex(1234):00,ff
)";

void RunStage(SweepContext& context, SweepMode mode) {
    SweepControlSetKey(context, mode, R"(Services\Drv)", nullptr);
    SweepRunKeys(context, mode);
    SweepClassFilters(context, mode);
}

std::string JoinPath(const std::vector<std::string>& parts) {
    std::string path;
    for (const std::string& part : parts) path += (path.empty() ? "" : "\\") + part;
    return path;
}

// The key itself, its twin and the key a twin stands for.
std::vector<std::string> PlacesOf(const std::string& keyPath) {
    std::vector<std::string> parts;
    for (std::string_view part : SplitPath(keyPath)) parts.emplace_back(part);
    std::vector<std::string> places{keyPath};
    if (parts.size() > 3 && NamesEqual(parts[1], "System") &&
        NamesEqual(parts[2].substr(0, 10), "ControlSet")) {
        auto twin = parts;
        twin[3] = "Old" + twin[3];
        places.push_back(JoinPath(twin));
        if (NamesEqual(parts[3].substr(0, 3), "Old")) {
            auto source = parts;
            source[3] = source[3].substr(3);
            places.push_back(JoinPath(source));
        }
    }
    if (NamesEqual(parts.back(), "Run")) {
        auto twin = parts;
        twin.back() = "OldRun";
        places.push_back(JoinPath(twin));
    }
    if (NamesEqual(parts.back(), "OldRun")) {
        auto source = parts;
        source.back() = "Run";
        places.push_back(JoinPath(source));
    }
    return places;
}

// Every key and value of `before` is somewhere in `after`.
void CheckNothingLost(const platform::emulated::EmulatedRegistry& before,
                      const platform::emulated::EmulatedRegistry& after) {
    const auto keys = after.Keys();
    for (const std::string& key : before.Keys()) {
        bool found = false;
        for (const std::string& place : PlacesOf(key)) {
            for (const std::string& present : keys) found = found || NamesEqual(present, place);
        }
        CAPTURE(key);
        CHECK(found);
    }
    const auto values = after.Values();
    for (const auto& [key, value] : before.Values()) {
        bool found = false;
        for (const std::string& place : PlacesOf(key)) {
            for (const auto& [presentKey, present] : values) {
                found = found ||
                        (NamesEqual(presentKey, place) && NamesEqual(present.name, value.name) &&
                         present.type == value.type && present.data == value.data);
            }
        }
        CAPTURE(key);
        CAPTURE(value.name);
        CHECK(found);
    }
}

// Runs `mode` once for each changing operation of a clean run, with that one
// operation failing, on a machine loaded from `start`.
void FailEachOperationOnce(const std::string& start, SweepMode mode) {
    std::uint64_t operations = 0;
    {
        RegistryMachine clean(PLATFORM_NT, start);
        RunStage(clean.context, mode);
        operations = clean.registry.OperationCount(kRegChangingOps);
    }
    REQUIRE(operations > 10);
    for (std::uint64_t n = 1; n <= operations; ++n) {
        CAPTURE(n);
        RegistryMachine reference(PLATFORM_NT, start);
        RegistryMachine m(PLATFORM_NT, start);
        m.registry.Faults().FailNth(n, kRegChangingOps, platform::kErrorAccessDenied);
        RunStage(m.context, mode);
        CheckNothingLost(reference.registry, m.registry);
        CHECK(m.registry.OpenHandleCount() == 0);
    }
}

std::string AfterCleanDisable() {
    RegistryMachine m(PLATFORM_NT, kMachine);
    RunStage(m.context, SWEEP_DISABLE);
    std::string text = m.registry.SaveRegFile();
    return text.substr(text.find("\r\n\r\n") + 4);
}

}  // namespace

TEST_CASE("a disable sweep loses nothing whichever single operation fails") {
    FailEachOperationOnce(kMachine, SWEEP_DISABLE);
}

TEST_CASE("a restore sweep loses nothing whichever single operation fails") {
    FailEachOperationOnce(AfterCleanDisable(), SWEEP_RESTORE);
}

TEST_CASE("when no write reaches a twin key, nothing leaves its key") {
    const char* twins[] = {
        R"(HKEY_LOCAL_MACHINE\System\ControlSet001\OldServices\Drv)",
        R"(HKEY_LOCAL_MACHINE\System\ControlSet001\OldServices\Drv\Enum)",
        R"(HKEY_LOCAL_MACHINE\System\ControlSet001\OldControl)",
        R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\OldRun)",
        R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\OldRun)",
    };
    for (const char* twin : twins) {
        CAPTURE(twin);
        RegistryMachine reference(PLATFORM_NT, kMachine);
        RegistryMachine m(PLATFORM_NT, kMachine);
        m.registry.Faults().FailWritesUnder(twin, platform::kErrorAccessDenied);
        RunStage(m.context, SWEEP_DISABLE);
        CheckNothingLost(reference.registry, m.registry);
    }
    // Neither the copy nor the value writes get through: every value stays.
    {
        RegistryMachine reference(PLATFORM_NT, kMachine);
        RegistryMachine m(PLATFORM_NT, kMachine);
        m.registry.Faults().FailEvery(OpBit(RegOp::CopyTree) | OpBit(RegOp::CopyValue),
                                      platform::kErrorAccessDenied);
        RunStage(m.context, SWEEP_DISABLE);
        CheckNothingLost(reference.registry, m.registry);
        CHECK(m.registry.Values().size() == reference.registry.Values().size());
    }
    // A copy that stopped half-way keeps the service key in place; its values,
    // each written into the twin on its own, still move.
    RegistryMachine m(PLATFORM_NT, kMachine);
    m.registry.Faults().FailWritesUnder(
        R"(HKEY_LOCAL_MACHINE\System\ControlSet001\OldServices\Drv\Enum)",
        platform::kErrorAccessDenied);
    CHECK(SweepControlSetKey(m.context, SWEEP_DISABLE, R"(Services\Drv)", nullptr) == 3);
    CHECK(
        m.KeyExists(platform::RegRoot::LocalMachine, R"(System\ControlSet001\Services\Drv\Enum)"));
}

TEST_CASE("when no write reaches the live keys, a restore keeps every twin") {
    const std::string start = AfterCleanDisable();
    const char* live[] = {
        R"(HKEY_LOCAL_MACHINE\System\ControlSet001\Services\Drv)",
        R"(HKEY_LOCAL_MACHINE\System\ControlSet001\Control\Class)",
        R"(HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run)",
    };
    for (const char* key : live) {
        CAPTURE(key);
        RegistryMachine m(PLATFORM_NT, start);
        RegistryMachine reference(PLATFORM_NT, start);
        m.registry.Faults().FailWritesUnder(key, platform::kErrorAccessDenied);
        RunStage(m.context, SWEEP_RESTORE);
        CheckNothingLost(reference.registry, m.registry);
    }
}
