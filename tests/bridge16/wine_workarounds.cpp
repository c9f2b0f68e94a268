// Workarounds for Wine 8.0's QT_Thunk and FT_Thunk, made in the loaded
// Zelvink.dll only after a call through Wine's own service has shown the
// fault (wine_workarounds.h says what the faults are).
#include "tests/bridge16/wine_workarounds.h"

#include <cstring>
#include <vector>

#include "tests/bridge/call_probe.h"

namespace bridge16 {
namespace {

constexpr DWORD kPascal = 0;             // K32WOWCallback16Ex: the callee removes the arguments
constexpr uint32_t kFarReturnBytes = 4;  // what a far call puts above the arguments
constexpr uint32_t kTebScanBytes = 0x1000;
constexpr uint32_t kMaxArgumentBytes = 64;  // QT_Thunk copies no more to the 16-bit stack
constexpr uint32_t kMaskBits = 32;
constexpr uint32_t kFailedCall = 0xDEADDEAD;  // handed back when the 16-bit call was refused

// The CallRelay code that Wine's ThunkConnect32 writes:
//   33 C9              xor ecx, ecx
//   8A 4D FC           mov cl, [ebp-4]
//   8B 14 8D tt tt tt tt   mov edx, [4*ecx + targetTable]
//   B8 qq qq qq qq     mov eax, QT_Thunk
//   FF E0              jmp eax
constexpr uint8_t kRelayHead[] = {0x33, 0xC9, 0x8A, 0x4D, 0xFC, 0x8B, 0x14, 0x8D};
constexpr size_t kRelayMoveEax = 12;
constexpr size_t kRelayServiceAddress = 13;
constexpr size_t kRelayJump = 17;
constexpr uint8_t kMoveEaxOpcode = 0xB8;
constexpr uint8_t kJumpEax[] = {0xFF, 0xE0};

// Zelvink's thunk block: its signatures, and where it names its CallRelay.
constexpr char kBlockSignature[] = "LS01";
constexpr char kSecondSignature[] = "LB01";
constexpr size_t kSecondSignatureOffset = 12;
constexpr size_t kCallRelayOffsetField = 28;

// What the harness's replacements need while the exports run.
struct SixteenBitCalls {
    const Krnl386* services = nullptr;
    uint32_t stackSlot = 0;
    bool refused = false;  // a 16-bit call or a translation could not be made
};
SixteenBitCalls sixteenBitCalls;

uint32_t readTeb(uint32_t offset) {
    uint32_t value;
    asm volatile("movl %%fs:(%1), %0" : "=r"(value) : "r"(offset));
    return value;
}

// The thread's idle 16-bit stack pointer lies in a TEB field of Wine's own.
// The probe entry, called without arguments, records SS:SP with the far
// return address on top, so the field holds that SP plus the return address.
std::string findStackSlot(const Krnl386& k, const Recorder& recorder, SegmentedPointer probeEntry,
                          int probeIndex, uint32_t& slot) {
    DWORD result = 0;
    if (!k.callback16Ex(probeEntry, kPascal, 0, nullptr, &result))
        return "K32WOWCallback16Ex refused the probe entry";
    const EntryRecord& seen = recorder.records[probeIndex];
    if (seen.calls != 1) return "the probe entry did not run";
    const uint32_t expected =
        uint32_t(seen.stackSelector) << 16 | uint16_t(seen.stackPointer + kFarReturnBytes);
    std::vector<uint32_t> found;
    for (uint32_t offset = 0; offset < kTebScanBytes; offset += sizeof(uint32_t))
        if (readTeb(offset) == expected) found.push_back(offset);
    if (found.size() != 1)
        return "the thread's 16-bit stack pointer was found " + std::to_string(found.size()) +
               " times in the TEB, want once";
    slot = found[0];
    return "";
}

uint8_t* findThunkBlock(HMODULE module) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (!(section->Characteristics & IMAGE_SCN_MEM_WRITE)) continue;
        uint8_t* start = base + section->VirtualAddress;
        const size_t size = section->Misc.VirtualSize;
        for (size_t at = 0; at + kCallRelayOffsetField + sizeof(uint32_t) <= size; at += 4)
            if (std::memcmp(start + at, kBlockSignature, 4) == 0 &&
                std::memcmp(start + at + kSecondSignatureOffset, kSecondSignature, 4) == 0)
                return start + at;
    }
    return nullptr;
}

void** findImportSlot(HMODULE module, const char* dll, const char* name) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         d->Name != 0; ++d) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0) continue;
        const auto* names =
            reinterpret_cast<const IMAGE_THUNK_DATA32*>(base + d->OriginalFirstThunk);
        auto** slots = reinterpret_cast<void**>(base + d->FirstThunk);
        for (size_t i = 0; names[i].u1.AddressOfData != 0; ++i) {
            if (names[i].u1.Ordinal & IMAGE_ORDINAL_FLAG32) continue;
            const auto* byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0)
                return &slots[i];
        }
    }
    return nullptr;
}

bool writeCode(void* place, const void* value) {
    DWORD old = 0;
    if (!VirtualProtect(place, sizeof value, PAGE_EXECUTE_READWRITE, &old)) return false;
    std::memcpy(place, &value, sizeof value);
    VirtualProtect(place, sizeof value, old, &old);
    FlushInstructionCache(GetCurrentProcess(), place, sizeof value);
    return true;
}

// Wine's QT_Thunk shows its fault when a 32-bit result does not come back.
bool qtThunkLosesResult(HMODULE zelvink, Recorder& recorder) {
    constexpr int kSynchIndex = 11;
    constexpr uint32_t kChosen = 0x12345678;
    uint8_t buffer[kPointeeCapacity] = {};
    recorder.results[kSynchIndex] = kChosen;
    const ProbeRegisters out =
        probe(reinterpret_cast<const void*>(GetProcAddress(zelvink, "_synchMidiEngine@12")),
              {1, 2, uint32_t(reinterpret_cast<uintptr_t>(buffer))});
    clearRecords(recorder);
    return out.eax != kChosen;
}

// Wine's FT_Thunk shows its fault when the 16-bit side cannot read the
// record's copy through the pointer it receives.
bool ftThunkMistranslates(HMODULE zelvink, Recorder& recorder) {
    constexpr int kRecordIndex = 2;
    constexpr size_t kRecordBytes = 28;
    uint8_t record[kRecordBytes];
    for (size_t i = 0; i < kRecordBytes; ++i) record[i] = uint8_t(0x40 + i);
    probe(reinterpret_cast<const void*>(GetProcAddress(zelvink, "_setMetronomParam@4")),
          {uint32_t(reinterpret_cast<uintptr_t>(record))});
    const EntryRecord& seen = recorder.records[kRecordIndex];
    const bool faulty = seen.calls != 1 || seen.pointer != PointerSeen::Copied ||
                        std::memcmp(seen.pointee, record, sizeof(uint32_t)) != 0;
    clearRecords(recorder);
    return faulty;
}

}  // namespace

// The 16-bit call of both replacements. Argument words whose bit is set in
// the mask hold the flat address of a copy among the argument bytes; like
// the platform's FT_Thunk, they reach the 16-bit side as a 16:16 pointer to
// that copy where K32WOWCallback16Ex puts the argument bytes: right below
// the thread's idle 16-bit stack pointer.
extern "C" uint32_t callSixteen(uint32_t target, const uint8_t* arguments, uint32_t bytes,
                                uint32_t mask) {
    SixteenBitCalls& calls = sixteenBitCalls;
    if (bytes > kMaxArgumentBytes) {
        calls.refused = true;
        return kFailedCall;
    }
    uint8_t frame[kMaxArgumentBytes];
    std::memcpy(frame, arguments, bytes);
    const uint32_t stack = readTeb(calls.stackSlot);
    for (uint32_t bit = 0; bit < kMaskBits && (bit + 1) * sizeof(uint32_t) <= bytes; ++bit) {
        if (!(mask & (1u << bit))) continue;
        uint32_t flat;
        std::memcpy(&flat, frame + bit * sizeof flat, sizeof flat);
        const uint32_t offset = flat - uint32_t(reinterpret_cast<uintptr_t>(arguments));
        if (offset >= bytes) {
            calls.refused = true;
            return kFailedCall;
        }
        const uint32_t translated = (stack & 0xFFFF0000u) | uint16_t(stack - bytes + offset);
        std::memcpy(frame + bit * sizeof translated, &translated, sizeof translated);
    }
    DWORD result = 0;
    if (!calls.services->callback16Ex(target, kPascal, bytes, frame, &result)) {
        calls.refused = true;
        return kFailedCall;
    }
    return result;
}

extern "C" void replacementQtThunk();
extern "C" void replacementFtThunk();

std::string findKrnl386(Krnl386& k) {
    HMODULE krnl386 = GetModuleHandleA("krnl386.exe16");
    if (krnl386 == nullptr) return "krnl386.exe16 is not loaded";
    auto find = [&](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(krnl386, name));
    };
    k.callback16Ex = reinterpret_cast<decltype(k.callback16Ex)>(find("K32WOWCallback16Ex"));
    k.moduleHandle16 = reinterpret_cast<decltype(k.moduleHandle16)>(find("GetModuleHandle16"));
    k.procAddress16 = reinterpret_cast<decltype(k.procAddress16)>(find("GetProcAddress16"));
    k.mapSL = reinterpret_cast<decltype(k.mapSL)>(find("MapSL"));
    k.qtThunk = find("QT_Thunk");
    k.ftThunk = find("FT_Thunk");
    if (!k.callback16Ex || !k.moduleHandle16 || !k.procAddress16 || !k.mapSL || !k.qtThunk ||
        !k.ftThunk)
        return "krnl386.exe16 lacks one of K32WOWCallback16Ex, GetModuleHandle16, "
               "GetProcAddress16, MapSL, QT_Thunk, FT_Thunk";
    return "";
}

void clearRecords(Recorder& recorder) {
    std::memset(recorder.records, 0, sizeof recorder.records);
}

std::string applyWineWorkarounds(HMODULE zelvink, const Krnl386& k, Recorder& recorder,
                                 SegmentedPointer probeEntry, int probeIndex,
                                 WorkaroundReport& report) {
    std::string failure = findStackSlot(k, recorder, probeEntry, probeIndex, report.stackSlot);
    clearRecords(recorder);
    if (!failure.empty()) return failure;
    sixteenBitCalls.services = &k;
    sixteenBitCalls.stackSlot = report.stackSlot;

    if (qtThunkLosesResult(zelvink, recorder)) {
        uint8_t* block = findThunkBlock(zelvink);
        if (block == nullptr) return "no thunk block (LS01 ... LB01) in the loaded Zelvink.dll";
        uint32_t relayOffset;
        std::memcpy(&relayOffset, block + kCallRelayOffsetField, sizeof relayOffset);
        uint8_t* relay = block + relayOffset;
        const void* service;
        std::memcpy(&service, relay + kRelayServiceAddress, sizeof service);
        if (std::memcmp(relay, kRelayHead, sizeof kRelayHead) != 0 ||
            relay[kRelayMoveEax] != kMoveEaxOpcode ||
            std::memcmp(relay + kRelayJump, kJumpEax, sizeof kJumpEax) != 0 || service != k.qtThunk)
            return "the CallRelay code is not the one this harness knows to re-point";
        if (!writeCode(relay + kRelayServiceAddress,
                       reinterpret_cast<const void*>(&replacementQtThunk)))
            return "the CallRelay code could not be re-pointed";
        report.qtThunkReplaced = true;
        if (qtThunkLosesResult(zelvink, recorder))
            return "the 32-bit result is lost even through the replacement of QT_Thunk";
    }

    if (ftThunkMistranslates(zelvink, recorder)) {
        void** slot = findImportSlot(zelvink, "KERNEL32.dll", "FT_Thunk");
        if (slot == nullptr) return "no import slot for FT_Thunk in the loaded Zelvink.dll";
        if (*slot != k.ftThunk) return "the FT_Thunk import slot does not hold Wine's FT_Thunk";
        if (!writeCode(slot, reinterpret_cast<const void*>(&replacementFtThunk)))
            return "the FT_Thunk import slot could not be written";
        report.ftThunkReplaced = true;
        if (ftThunkMistranslates(zelvink, recorder))
            return "the record copy is unreadable even through the replacement of FT_Thunk";
    }
    if (sixteenBitCalls.refused) return "a replacement could not make its 16-bit call";
    return "";
}

}  // namespace bridge16
