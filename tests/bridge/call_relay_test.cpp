// The nineteen call-relay exports against the fake thunk service: what
// reaches the relay, which aliases are made and released when, how the
// result comes back, and that the caller's state survives.
#include <doctest/doctest.h>

#include <cstring>
#include <vector>

#include "tests/bridge/connection.h"

namespace {

enum class Arg { W16, D32, PTR };
enum class Result { None, U16, S16, D32 };

struct ExportCase {
    const char* name;
    const void* function;
    uint32_t index;
    std::vector<Arg> args;
    Result result;
    uint32_t bytes16;  // argument bytes the 16-bit function receives
};

using enum Arg;

const std::vector<ExportCase>& exportCases() {
    static const std::vector<ExportCase> cases = {
        {"stopMetronom", address(&stopMetronom), 0, {}, Result::None, 0},
        {"startMetronom", address(&startMetronom), 1, {}, Result::None, 0},
        {"MidiJobAddSysXBlock", address(&MidiJobAddSysXBlock), 3, {D32, D32, PTR, D32},
         Result::None, 16},
        {"MidiOutSysXBlock", address(&MidiOutSysXBlock), 4, {W16, PTR, D32, W16}, Result::None,
         12},
        {"zelvSetControllerTimeout", address(&zelvSetControllerTimeout), 5, {W16}, Result::None,
         2},
        {"zelvControllerSperre", address(&zelvControllerSperre), 6, {W16, W16, W16},
         Result::None, 6},
        {"flushAllJobs", address(&flushAllJobs), 7, {}, Result::None, 0},
        {"resetMidiJobs", address(&resetMidiJobs), 8, {}, Result::None, 0},
        {"resetMidiSynch", address(&resetMidiSynch), 9, {}, Result::None, 0},
        {"checkMidiPlayback", address(&checkMidiPlayback), 10, {PTR}, Result::S16, 4},
        {"synchMidiEngine", address(&synchMidiEngine), 11, {D32, D32, PTR}, Result::D32, 12},
        {"setMidiJobFlag", address(&setMidiJobFlag), 12, {D32, W16}, Result::U16, 6},
        {"startMidiJob", address(&startMidiJob), 13, {W16, W16, PTR, W16}, Result::D32, 10},
        {"getMidiTime", address(&getMidiTime), 14, {PTR}, Result::U16, 4},
        {"playEvent", address(&playEvent), 15, {PTR, W16}, Result::U16, 6},
        {"stopMidi", address(&stopMidi), 16, {}, Result::U16, 0},
        {"startMidiTimer", address(&startMidiTimer), 17, {PTR}, Result::U16, 4},
        {"closeMidiDevice", address(&closeMidiDevice), 18, {W16, W16}, Result::U16, 4},
        {"initMidiDevice", address(&initMidiDevice), 19, {W16, W16}, Result::U16, 4},
    };
    return cases;
}

// Registers as the 16-bit function leaves them: AX, DX and junk above.
struct RelayResult {
    uint32_t eax;
    uint32_t edx;
};
constexpr RelayResult kRelayResults[] = {
    {0x1234FFFF, 0x5678ABCD},  // AX = 0xFFFF
    {0xFFFF8001, 0xFFFF0000},  // negative as S16, DX = 0
    {0x00000001, 0x0000FFFF},  // DX = 0xFFFF
    {0xA5A57FFF, 0x0F0F8000},
};

uint32_t widened(Result kind, RelayResult r) {
    const uint16_t ax = uint16_t(r.eax), dx = uint16_t(r.edx);
    switch (kind) {
        case Result::U16: return ax;
        case Result::S16: return uint32_t(int32_t(int16_t(ax)));
        case Result::D32: return (uint32_t(dx) << 16) | ax;
        case Result::None: break;
    }
    return 0;
}

// Every argument with its high half set and bytes that tell the positions
// apart; pointers point at real memory, as the mapping service needs.
uint8_t pointees[4][16];

uint32_t argumentValue(Arg kind, size_t position) {
    switch (kind) {
        case W16: return 0x7E100000u + 0xA100u + uint32_t(position);
        case D32: return 0xD3000000u | uint32_t(position) << 16 | 0xC2B1u;
        case PTR: return uint32_t(reinterpret_cast<uintptr_t>(pointees[position]));
    }
    return 0;
}

uint32_t slotOf(size_t position) { return 8 + 4 * uint32_t(position); }

void append(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
}

// The 16-bit frame as the relay copies it from ESP upwards: the last
// argument pushed lies lowest.
std::vector<uint8_t> expectedFrame(const ExportCase& c, const std::vector<uint32_t>& values) {
    std::vector<uint8_t> bytes;
    for (size_t i = c.args.size(); i-- > 0;) {
        switch (c.args[i]) {
            case W16: append(bytes, values[i], 2); break;
            case D32: append(bytes, values[i], 4); break;
            case PTR: append(bytes, fake::aliasFor(slotOf(i), values[i]), 4); break;
        }
    }
    return bytes;
}

ProbeRegisters callWith(const ExportCase& c, const std::vector<uint32_t>& values) {
    ProbeRegisters out{};
    probeCall(c.function, values.data(), uint32_t(values.size()), &out);
    return out;
}

}  // namespace

TEST_CASE("every call-relay export hands its frame to the relay and widens what comes back") {
    connectLibrary();
    for (const ExportCase& c : exportCases()) {
        for (const RelayResult& r : kRelayResults) {
            CAPTURE(c.name);
            CAPTURE(r.eax);
            std::vector<uint32_t> values;
            for (size_t i = 0; i < c.args.size(); ++i) values.push_back(argumentValue(c.args[i], i));
            fake::clearRecords();
            fake::setRelayResult(r.eax, r.edx);

            const ProbeRegisters out = callWith(c, values);
            const fake::Records& rec = fake::records();

            CHECK(callerStateKept(out));
            REQUIRE(rec.relays.size() == 1);
            const fake::RelayCall& relay = rec.relays[0];
            CHECK(relay.index == c.index);
            CHECK(relay.target == fake::targetFor(c.index));
            CHECK(relay.frameBytes == fake::kThunkFrameSize + c.bytes16);
            CHECK(relay.arguments == expectedFrame(c, values));
            if (c.result != Result::None) CHECK(out.eax == widened(c.result, r));

            // Map when pushed, relay, release after widening: in that order,
            // each pointer by the service of its own slot.
            std::vector<fake::Event> expected;
            for (size_t i = 0; i < c.args.size(); ++i)
                if (c.args[i] == PTR)
                    expected.push_back({fake::Call::Map, slotOf(i), values[i],
                                        fake::aliasFor(slotOf(i), values[i]), 0});
            expected.push_back({fake::Call::Relay, 0, c.index, 0, 0});
            for (size_t i = 0; i < c.args.size(); ++i)
                if (c.args[i] == PTR)
                    expected.push_back({fake::Call::Unmap, slotOf(i), 0,
                                        fake::aliasFor(slotOf(i), values[i]), out.eax});
            REQUIRE(rec.events.size() == expected.size());
            for (size_t i = 0; i < expected.size(); ++i) {
                CAPTURE(i);
                CHECK(rec.events[i].call == expected[i].call);
                CHECK(rec.events[i].slot == expected[i].slot);
                CHECK(rec.events[i].value == expected[i].value);
                CHECK(rec.events[i].alias == expected[i].alias);
                CHECK(rec.events[i].eax == expected[i].eax);
            }
        }
    }
}

TEST_CASE("a 16-bit result of 0xFFFF reads as 65535, and as -1 from checkMidiPlayback") {
    connectLibrary();
    fake::setRelayResult(0x0000FFFF, 0);
    for (const ExportCase& c : exportCases()) {
        if (c.result != Result::U16 && c.result != Result::S16) continue;
        CAPTURE(c.name);
        std::vector<uint32_t> values;
        for (size_t i = 0; i < c.args.size(); ++i) values.push_back(argumentValue(c.args[i], i));
        const int32_t result = int32_t(callWith(c, values).eax);
        CHECK(result == (c.result == Result::S16 ? -1 : 65535));
    }
}

TEST_CASE("a null pointer argument goes to the mapping service like any other") {
    connectLibrary();
    fake::setRelayResult(0x00000002, 0);
    const ProbeRegisters out = probe(address(&checkMidiPlayback), {0});
    const fake::Records& rec = fake::records();
    CHECK(callerStateKept(out));
    REQUIRE(rec.events.size() == 3);
    CHECK(rec.events[0].call == fake::Call::Map);
    CHECK(rec.events[0].value == 0);
    REQUIRE(rec.relays.size() == 1);
    CHECK(rec.relays[0].arguments == std::vector<uint8_t>{0, 0, 0, 0});
    CHECK(out.eax == 2);
}
