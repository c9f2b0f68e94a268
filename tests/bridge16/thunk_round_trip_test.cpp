// The real Zelvink.dll, as built and unmodified on disk, loaded under Wine
// beside the 16-bit test library Zelvbase.DLL (zelvbase16.asm): every
// export's call reaches its own 16-bit entry through Wine's flat-thunk
// services, with the argument words, pointers and the record copy the
// 16-bit side must see, and its result comes back widened. Wine's faults in
// those services are worked around in memory by wine_workarounds.cpp.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/bridge/call_probe.h"
#include "tests/bridge16/recorder.h"
#include "tests/bridge16/wine_workarounds.h"

namespace bridge16 {
namespace {

constexpr uint32_t kDirectionFlag = 0x400;
constexpr int kStopMidiIndex = 16;  // no arguments: the harness's probe entry
constexpr int kRecordIndex = 2;
constexpr size_t kRecordBytes = 28;       // the caller's metronome record
constexpr size_t kRecordHeadBytes = 9;    // record bytes 0-8 to copy bytes 0-8
constexpr size_t kRecordTailSource = 12;  // record bytes 12-27 ...
constexpr size_t kRecordTailTarget = 10;  // ... to copy bytes 10-25
constexpr size_t kRecordTailBytes = 16;
constexpr int kBalanceCalls = 1000;

struct Library {
    HMODULE zelvink = nullptr;
    Krnl386 krnl386{};
    Recorder* recorder = nullptr;
    WorkaroundReport workarounds;
    std::string failure;
};

std::string programFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Once per process: the library stays loaded for every test case.
Library load() {
    Library lib;
    const std::string folder = programFolder();
    if (GetFileAttributesA((folder + "Zelvbase.DLL").c_str()) == INVALID_FILE_ATTRIBUTES) {
        lib.failure = "no Zelvbase.DLL in " + folder;
        return lib;
    }
    lib.zelvink = LoadLibraryA((folder + "Zelvink.dll").c_str());
    if (lib.zelvink == nullptr) {
        lib.failure = "Zelvink.dll did not load (error " + std::to_string(GetLastError()) +
                      "): the thunk to Zelvbase.DLL was not connected";
        return lib;
    }
    if (lib.failure = findKrnl386(lib.krnl386); !lib.failure.empty()) return lib;
    const Krnl386& k = lib.krnl386;
    const DWORD zelvbase = k.moduleHandle16("ZELVBASE") & 0xFFFF;
    if (zelvbase == 0) {
        lib.failure = "Zelvbase.DLL is not loaded as a 16-bit module";
        return lib;
    }
    const HMODULE module16 = reinterpret_cast<HMODULE>(uintptr_t(zelvbase));
    const SegmentedPointer recorder = k.procAddress16(module16, "ZELVRECORDER");
    const SegmentedPointer probeEntry = k.procAddress16(module16, "STOPMIDI");
    if (recorder == 0 || probeEntry == 0) {
        lib.failure = "Zelvbase.DLL does not export ZELVRECORDER and STOPMIDI";
        return lib;
    }
    lib.recorder = static_cast<Recorder*>(k.mapSL(recorder));
    if (std::memcmp(lib.recorder->signature, kRecorderSignature, 4) != 0 ||
        lib.recorder->bytes != sizeof(Recorder)) {
        lib.failure = "the recorder of Zelvbase.DLL is not laid out as recorder.h says";
        return lib;
    }
    lib.failure = applyWineWorkarounds(lib.zelvink, k, *lib.recorder, probeEntry, kStopMidiIndex,
                                       lib.workarounds);
    std::printf(
        "Zelvink.dll loaded from %s unchanged on disk; in memory %s, %s; "
        "16-bit stack pointer at fs:[0x%X]\n",
        folder.c_str(),
        lib.workarounds.qtThunkReplaced ? "CallRelay re-pointed from Wine's QT_Thunk"
                                        : "Wine's QT_Thunk kept",
        lib.workarounds.ftThunkReplaced ? "FT_Thunk import slot replaced" : "Wine's FT_Thunk kept",
        unsigned(lib.workarounds.stackSlot));
    return lib;
}

Library& library() {
    static Library lib = load();
    return lib;
}

Recorder& connected() {
    Library& lib = library();
    INFO(lib.failure);
    REQUIRE(lib.failure.empty());
    clearRecords(*lib.recorder);
    return *lib.recorder;
}

enum class Arg { W16, D32, PTR };
enum class Result { None, U16, S16, D32 };
using enum Arg;

struct ExportCase {
    const char* name;  // decorated, as exported
    int index;
    std::vector<Arg> args;
    Result result;
};

const std::vector<ExportCase>& callRelayExports() {
    static const std::vector<ExportCase> cases = {
        {"_stopMetronom@0", 0, {}, Result::None},
        {"_startMetronom@0", 1, {}, Result::None},
        {"_MidiJobAddSysXBlock@16", 3, {D32, D32, PTR, D32}, Result::None},
        {"_MidiOutSysXBlock@16", 4, {W16, PTR, D32, W16}, Result::None},
        {"_zelvSetControllerTimeout@4", 5, {W16}, Result::None},
        {"_zelvControllerSperre@12", 6, {W16, W16, W16}, Result::None},
        {"_flushAllJobs@0", 7, {}, Result::None},
        {"_resetMidiJobs@0", 8, {}, Result::None},
        {"_resetMidiSynch@0", 9, {}, Result::None},
        {"_checkMidiPlayback@4", 10, {PTR}, Result::S16},
        {"_synchMidiEngine@12", 11, {D32, D32, PTR}, Result::D32},
        {"_setMidiJobFlag@8", 12, {D32, W16}, Result::U16},
        {"_startMidiJob@16", 13, {W16, W16, PTR, W16}, Result::D32},
        {"_getMidiTime@4", 14, {PTR}, Result::U16},
        {"_playEvent@8", 15, {PTR, W16}, Result::U16},
        {"_stopMidi@0", 16, {}, Result::U16},
        {"_startMidiTimer@4", 17, {PTR}, Result::U16},
        {"_closeMidiDevice@8", 18, {W16, W16}, Result::U16},
        {"_initMidiDevice@8", 19, {W16, W16}, Result::U16},
    };
    return cases;
}

const void* exported(const char* name) {
    const void* function = reinterpret_cast<const void*>(GetProcAddress(library().zelvink, name));
    INFO(name);
    REQUIRE(function != nullptr);
    return function;
}

// What the 16-bit entries return: DX in the high word, AX in the low.
constexpr uint32_t kChosenResults[] = {0x12345678, 0xBEEFFFFF, 0x00008000, 0x80007FFF, 0xFFFF0000};

uint32_t widened(Result kind, uint32_t dxax) {
    switch (kind) {
        case Result::U16:
            return uint16_t(dxax);
        case Result::S16:
            return uint32_t(int32_t(int16_t(dxax)));
        case Result::D32:
            return dxax;
        case Result::None:
            break;
    }
    return 0;
}

// Each argument with its high half set and bytes that tell the positions
// and the exports apart; a pointer points at a buffer of its own.
struct Arguments {
    std::vector<uint32_t> values;
    uint8_t buffer[kPointeeCapacity];
};

uint8_t bufferByte(int index, size_t i) {
    return uint8_t(index * 8 + i);
}

void fill(Arguments& a, const ExportCase& c) {
    for (size_t i = 0; i < kPointeeCapacity; ++i) a.buffer[i] = bufferByte(c.index, i);
    for (size_t i = 0; i < c.args.size(); ++i) {
        const uint32_t position = uint32_t(c.index) << 4 | uint32_t(i);
        switch (c.args[i]) {
            case W16:
                a.values.push_back(0x7E000000u | position << 16 | 0xA100u | position);
                break;
            case D32:
                a.values.push_back(0xD3000000u | position << 12 | 0xC20u | position);
                break;
            case PTR:
                a.values.push_back(uint32_t(reinterpret_cast<uintptr_t>(a.buffer)));
                break;
        }
    }
}

// The 16-bit frame as the entry finds it, the last argument lowest; the
// four bytes of a pointer are left open (false in the mask): the mapping
// service chooses the alias.
void expectedFrame(const ExportCase& c, const Arguments& a, std::vector<uint8_t>& bytes,
                   std::vector<bool>& known) {
    for (size_t i = c.args.size(); i-- > 0;) {
        const int size = c.args[i] == W16 ? 2 : 4;
        for (int b = 0; b < size; ++b) {
            bytes.push_back(uint8_t(a.values[i] >> (8 * b)));
            known.push_back(c.args[i] != PTR);
        }
    }
}

bool callerStateAndFlagsKept(const ProbeRegisters& out) {
    return callerStateKept(out) && !(out.eflags & kDirectionFlag);
}

int callsOtherThan(const Recorder& recorder, int index) {
    int calls = 0;
    for (int i = 0; i < kEntryCount; ++i)
        if (i != index) calls += recorder.records[i].calls;
    return calls;
}

}  // namespace

TEST_CASE(
    "every call-relay export reaches its own 16-bit entry once with its words, its "
    "pointer's bytes and its result widened") {
    Recorder& recorder = connected();
    for (const ExportCase& c : callRelayExports()) {
        for (uint32_t chosen : kChosenResults) {
            CAPTURE(c.name);
            CAPTURE(chosen);
            clearRecords(recorder);
            recorder.results[c.index] = chosen;
            Arguments a;
            fill(a, c);

            ProbeRegisters out{};
            probeCall(exported(c.name), a.values.data(), uint32_t(a.values.size()), &out);
            const EntryRecord& seen = recorder.records[c.index];

            CHECK(callerStateAndFlagsKept(out));
            REQUIRE(seen.calls == 1);
            CHECK(callsOtherThan(recorder, c.index) == 0);
            std::vector<uint8_t> frame;
            std::vector<bool> known;
            expectedFrame(c, a, frame, known);
            REQUIRE(seen.frameBytes == frame.size());
            for (size_t i = 0; i < frame.size(); ++i) {
                CAPTURE(i);
                if (known[i]) CHECK(seen.frame[i] == frame[i]);
            }
            if (c.result != Result::None) CHECK(out.eax == widened(c.result, chosen));

            bool hasPointer = false;
            for (Arg kind : c.args) hasPointer = hasPointer || kind == PTR;
            if (!hasPointer) {
                CHECK(seen.pointer == PointerSeen::None);
                continue;
            }
            // The 16-bit side read the caller's bytes, and its write reached them.
            REQUIRE(seen.pointer == PointerSeen::Copied);
            for (size_t i = 0; i < kPointeeCapacity; ++i) {
                CAPTURE(i);
                CHECK(seen.pointee[i] == bufferByte(c.index, i));
                const uint8_t now =
                    i < sizeof kWriteMark ? uint8_t(kWriteMark >> (8 * i)) : bufferByte(c.index, i);
                CHECK(a.buffer[i] == now);
            }
        }
    }
}

TEST_CASE(
    "setMetronomParam hands index 2 a repacked copy of the record that nothing copies back, "
    "or a null pointer") {
    Recorder& recorder = connected();
    const void* setMetronomParam = exported("_setMetronomParam@4");
    uint8_t record[kRecordBytes];
    for (size_t i = 0; i < kRecordBytes; ++i) record[i] = uint8_t(0x80 + i);
    const uint32_t recordAddress = uint32_t(reinterpret_cast<uintptr_t>(record));

    ProbeRegisters out = probe(setMetronomParam, {recordAddress});
    const EntryRecord& seen = recorder.records[kRecordIndex];
    CHECK(callerStateAndFlagsKept(out));
    REQUIRE(seen.calls == 1);
    CHECK(callsOtherThan(recorder, kRecordIndex) == 0);
    CHECK(seen.frameBytes == sizeof(uint32_t));
    REQUIRE(seen.pointer == PointerSeen::Copied);
    CHECK(std::memcmp(seen.pointee, record, kRecordHeadBytes) == 0);
    CHECK(std::memcmp(seen.pointee + kRecordTailTarget, record + kRecordTailSource,
                      kRecordTailBytes) == 0);
    // The 16-bit side wrote into its copy; the caller's record stays as it was.
    for (size_t i = 0; i < kRecordBytes; ++i) {
        CAPTURE(i);
        CHECK(record[i] == uint8_t(0x80 + i));
    }

    clearRecords(recorder);
    out = probe(setMetronomParam, {0});
    CHECK(callerStateAndFlagsKept(out));
    REQUIRE(seen.calls == 1);
    CHECK(seen.frameBytes == sizeof(uint32_t));
    CHECK(std::vector<uint8_t>(seen.frame, seen.frame + 4) == std::vector<uint8_t>{0, 0, 0, 0});
    CHECK(seen.pointer == PointerSeen::Inaccessible);
}

TEST_CASE(
    "a thousand calls through all twenty exports leave the caller's stack and registers "
    "as they were") {
    Recorder& recorder = connected();
    std::vector<ExportCase> cases = callRelayExports();
    cases.push_back({"_setMetronomParam@4", kRecordIndex, {PTR}, Result::None});
    int expectedCalls[kEntryCount] = {};
    uint32_t firstEsp = 0;
    int unbalanced = 0;
    for (int call = 0; call < kBalanceCalls; ++call) {
        const ExportCase& c = cases[size_t(call) % cases.size()];
        Arguments a;
        fill(a, c);
        ProbeRegisters out{};
        probeCall(exported(c.name), a.values.data(), uint32_t(a.values.size()), &out);
        if (call == 0) firstEsp = out.espBefore;
        if (!callerStateAndFlagsKept(out) || out.espBefore != firstEsp) ++unbalanced;
        ++expectedCalls[c.index];
    }
    CHECK(unbalanced == 0);
    for (int i = 0; i < kEntryCount; ++i) {
        CAPTURE(i);
        CHECK(recorder.records[i].calls == expectedCalls[i]);
    }
}

}  // namespace bridge16
