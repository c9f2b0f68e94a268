// The load-time connection against the fake service: the block as built,
// DllEntryPoint and THK_ThunkConnect32, and the library's entry point with
// its rule for a process detach without a successful attach.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/bridge/connection.h"

namespace {

const std::string kMessage = "\n\rIn DllEntryPoint: THK_ThunkConnect32 ret FALSE\r\n";

uint32_t wordAt(const uint8_t* p) {
    uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

uint32_t addressOf(const void* p) { return uint32_t(reinterpret_cast<uintptr_t>(p)); }

void checkConnectCall(const fake::ConnectCall& call, uint32_t reason) {
    CHECK(call.block == THK_ThunkData32);
    CHECK(call.name16 == "THK_ThunkData16");
    CHECK(call.dll16 == "Zelvbase.DLL");
    CHECK(call.dll32 == "Zelvink.DLL");
    CHECK(call.instance == kTestInstance);
    CHECK(call.reason == reason);
    CHECK(call.blockProblems.empty());
}

}  // namespace

TEST_CASE("the thunk block is laid out as the connection service expects it") {
    const auto& block = fake::pristineBlock();
    std::vector<uint8_t> expected = {'L', 'S', '0', '1', 0xAC, 0x9B, 0x03, 0x00, 0, 0, 0, 0,
                                     'L', 'B', '0', '1', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                     36, 0, 0, 0, 68, 0, 0, 0};
    expected.resize(100, 0xCC);
    CHECK(std::vector<uint8_t>(block.begin(), block.end()) == expected);
    CHECK(fake::blockProblems(block.data()).empty());
}

TEST_CASE("the relay pointers follow the 16-bit block's name directly") {
    CHECK(std::string(ThunkData16Name) == "THK_ThunkData16");
    const auto* behind = reinterpret_cast<const uint8_t*>(ThunkData16Name) + 16;
    CHECK(&CallRelayPointer == reinterpret_cast<const uint32_t*>(behind));
    CHECK(&PrologRelayPointer == reinterpret_cast<const uint32_t*>(behind + 4));
    CHECK(wordAt(behind) == addressOf(THK_ThunkData32 + 36));
    CHECK(wordAt(behind + 4) == addressOf(THK_ThunkData32 + 68));
}

TEST_CASE("THK_ThunkConnect32 hands the service's result back unchanged") {
    for (uint32_t result : {0u, 1u, 0x12345678u, 0xFFFFFFFFu}) {
        CAPTURE(result);
        fake::clearRecords();
        fake::setConnectResult(result);
        const ProbeRegisters out =
            probe(address(&THK_ThunkConnect32),
                  {addressOf("Zelvbase.DLL"), addressOf("Zelvink.DLL"), kTestInstance, kThreadAttach});
        CHECK(callerStateKept(out));
        CHECK(out.eax == result);
        REQUIRE(fake::records().connects.size() == 1);
        checkConnectCall(fake::records().connects[0], kThreadAttach);
    }
}

TEST_CASE("DllEntryPoint passes every notification on and answers exactly 1 or 0") {
    for (uint32_t reason : {kProcessDetach, kProcessAttach, kThreadAttach, kThreadDetach}) {
        for (uint32_t result : {1u, 2u, 0x80000000u, 0u}) {
            CAPTURE(reason);
            CAPTURE(result);
            fake::clearRecords();
            fake::setConnectResult(result);
            const ProbeRegisters out = probe(address(&DllEntryPoint), {kTestInstance, reason, 0});
            const fake::Records& rec = fake::records();

            CHECK(callerStateKept(out));
            CHECK(out.eax == (result != 0 ? 1u : 0u));
            REQUIRE(rec.connects.size() == 1);
            checkConnectCall(rec.connects[0], reason);
            if (result == 0) {
                REQUIRE(rec.debugMessages.size() == 1);
                CHECK(rec.debugMessages[0] == kMessage);
            } else {
                CHECK(rec.debugMessages.empty());
            }
        }
    }
}

TEST_CASE("the entry point passes a process detach on only after a successful attach") {
    struct Step {
        uint32_t reason;
        uint32_t connectResult;
        uint32_t expectedResult;
        bool reachesService;
    };
    // One process's life, with a refused attach first.
    const Step steps[] = {
        {kProcessDetach, 1, 0, false},  // never attached
        {kProcessAttach, 0, 0, true},   // refused: the load fails
        {kProcessDetach, 1, 0, false},  // still not attached
        {kProcessAttach, 1, 1, true},
        {kThreadAttach, 1, 1, true},
        {kThreadDetach, 0, 0, true},    // refused, only the message remains
        {kThreadDetach, 1, 1, true},
        {kProcessDetach, 1, 1, true},
        {kProcessDetach, 1, 0, false},  // the attach has been torn down
    };
    int stepNumber = 0;
    for (const Step& step : steps) {
        CAPTURE(++stepNumber);
        fake::clearRecords();
        fake::setConnectResult(step.connectResult);
        const ProbeRegisters out = probe(address(&ZelvinkStartup), {kTestInstance, step.reason, 0});
        const fake::Records& rec = fake::records();

        CHECK(callerStateKept(out));
        CHECK(out.eax == step.expectedResult);
        if (step.reachesService) {
            REQUIRE(rec.connects.size() == 1);
            checkConnectCall(rec.connects[0], step.reason);
            CHECK(rec.debugMessages.size() == (step.connectResult == 0 ? 1u : 0u));
        } else {
            CHECK(rec.connects.empty());
            CHECK(rec.debugMessages.empty());
        }
    }
}
