// The C++ half of the fake thunk service: ThunkConnect32 and
// OutputDebugStringA, the relay code written into the block, and the
// recorders behind the register-level fakes of fake_relays.S.
#include "tests/bridge/fake_thunk_service.h"

#include <algorithm>
#include <cstring>

#include "tests/bridge/fake_layout.h"
#include "tests/bridge/zelvink_symbols.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#define STDCALL __attribute__((stdcall))

extern "C" {
// Read by fake_relays.S when a relay or FT_Thunk returns.
uint32_t fakeResultEax = 0;
uint32_t fakeResultEdx = 0;

void fakeCallRelayEntry();
void fakePrologEntry();
}

namespace fake {
namespace {

constexpr uint32_t kBlockSize = 100;
constexpr uint32_t kChecksum = 0x39BAC;
constexpr uint32_t kCallRelayOffset = 36;
constexpr uint32_t kPrologRelayOffset = 68;
constexpr uint32_t kRelayAreaSize = 32;
constexpr uint8_t kTrapByte = 0xCC;
constexpr uint32_t kProcessAttach = 1;
constexpr uint32_t kMaxArgumentBytes = 64;

Records recordsInstance;
uint32_t connectResult = 1;
uint32_t targetTable[kFunctionCount];

const std::array<uint8_t, kBlockSize> pristine = [] {
    std::array<uint8_t, kBlockSize> copy{};
    std::memcpy(copy.data(), THK_ThunkData32, kBlockSize);
    return copy;
}();

uint32_t readWord(const uint8_t* p) {
    uint32_t value;
    std::memcpy(&value, p, sizeof value);
    return value;
}

void putWord(std::vector<uint8_t>& code, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) code.push_back(uint8_t(value >> shift));
}

// The code the real service writes: CallRelay takes the index from the low
// byte of [EBP-4] and jumps on with the target in EDX; PrologRelay takes it
// from CL and goes on with the target in EDX and CX unchanged.
std::vector<uint8_t> callRelayCode() {
    std::vector<uint8_t> code = {0x33, 0xC9,         // xor ecx, ecx
                                 0x8A, 0x4D, 0xFC,   // mov cl, [ebp-4]
                                 0x8B, 0x14, 0x8D};  // mov edx, [4*ecx + table]
    putWord(code, uint32_t(reinterpret_cast<uintptr_t>(targetTable)));
    code.push_back(0xB8);  // mov eax, fakeCallRelayEntry
    putWord(code, uint32_t(reinterpret_cast<uintptr_t>(&fakeCallRelayEntry)));
    code.insert(code.end(), {0xFF, 0xE0});  // jmp eax
    return code;
}

std::vector<uint8_t> prologRelayCode() {
    std::vector<uint8_t> code = {0x0F, 0xB6, 0xD1,   // movzx edx, cl
                                 0x8B, 0x14, 0x95};  // mov edx, [4*edx + table]
    putWord(code, uint32_t(reinterpret_cast<uintptr_t>(targetTable)));
    code.push_back(0x68);  // push fakePrologEntry
    putWord(code, uint32_t(reinterpret_cast<uintptr_t>(&fakePrologEntry)));
    code.push_back(0xC3);  // ret
    return code;
}

std::array<uint8_t, kRelayAreaSize> relayArea(const std::vector<uint8_t>& code) {
    std::array<uint8_t, kRelayAreaSize> area;
    area.fill(kTrapByte);
    std::copy(code.begin(), code.end(), area.begin());
    return area;
}

bool areaIs(const uint8_t* area, uint8_t fill) {
    return std::all_of(area, area + kRelayAreaSize, [fill](uint8_t b) { return b == fill; });
}

bool areaHolds(const uint8_t* area, const std::vector<uint8_t>& code) {
    const auto expected = relayArea(code);
    return std::equal(expected.begin(), expected.end(), area);
}

// The relay areas lie in writable data; code written there must be allowed
// to run on a processor that enforces no-execute pages.
bool makeExecutable(uint8_t* block) {
#if defined(_WIN32)
    DWORD old;
    return VirtualProtect(block, kBlockSize, PAGE_EXECUTE_READWRITE, &old) != 0;
#else
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t start = reinterpret_cast<uintptr_t>(block) & ~(page - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(block) + kBlockSize;
    return mprotect(reinterpret_cast<void*>(start), end - start,
                    PROT_READ | PROT_WRITE | PROT_EXEC) == 0;
#endif
}

bool connect(uint8_t* block) {
    for (uint32_t i = 0; i < kFunctionCount; ++i) targetTable[i] = targetFor(i);
    if (!makeExecutable(block)) return false;
    const auto call = relayArea(callRelayCode());
    const auto prolog = relayArea(prologRelayCode());
    std::memcpy(block + kCallRelayOffset, call.data(), call.size());
    std::memcpy(block + kPrologRelayOffset, prolog.data(), prolog.size());
    return true;
}

}  // namespace

Records& records() { return recordsInstance; }

void clearRecords() { recordsInstance = Records{}; }

void setConnectResult(uint32_t result) { connectResult = result; }

void setRelayResult(uint32_t eax, uint32_t edx) {
    fakeResultEax = eax;
    fakeResultEdx = edx;
}

uint32_t targetFor(uint32_t index) { return 0x27500100u + index * 8; }

uint32_t aliasFor(uint32_t slot, uint32_t flat) {
    if (flat < 0x10000) return flat;  // as the real service: no alias for these
    return ((0x0A00u + slot) << 16) | (flat & 0xFFFF);
}

std::vector<std::string> blockProblems(const uint8_t* block) {
    std::vector<std::string> problems;
    if (std::memcmp(block, "LS01", 4) != 0) problems.push_back("signature");
    if (readWord(block + 4) != kChecksum) problems.push_back("checksum");
    if (std::memcmp(block + 12, "LB01", 4) != 0) problems.push_back("second signature");
    if (readWord(block + 28) != kCallRelayOffset) problems.push_back("CallRelay offset");
    if (readWord(block + 32) != kPrologRelayOffset) problems.push_back("PrologRelay offset");
    if (!areaIs(block + kCallRelayOffset, kTrapByte) &&
        !areaHolds(block + kCallRelayOffset, callRelayCode()))
        problems.push_back("CallRelay area");
    if (!areaIs(block + kPrologRelayOffset, kTrapByte) &&
        !areaHolds(block + kPrologRelayOffset, prologRelayCode()))
        problems.push_back("PrologRelay area");
    return problems;
}

const std::array<uint8_t, 100>& pristineBlock() { return pristine; }

}  // namespace fake

using fake::records;

extern "C" {

uint32_t STDCALL fakeThunkConnect32(uint8_t* block, const char* name16, const char* dll16,
                                    const char* dll32, uint32_t instance, uint32_t reason) {
    fake::ConnectCall call{block, name16, dll16, dll32, instance, reason,
                           fake::blockProblems(block)};
    if (call.name16 != "THK_ThunkData16") call.blockProblems.push_back("block name");
    if (call.dll16 != "Zelvbase.DLL") call.blockProblems.push_back("16-bit library name");
    if (call.blockProblems.empty() && reason == fake::kProcessAttach &&
        fake::connectResult != 0 && !fake::connect(block))
        call.blockProblems.push_back("relay areas cannot be made executable");
    const bool sound = call.blockProblems.empty();
    records().connects.push_back(std::move(call));
    return sound ? fake::connectResult : 0;
}

void STDCALL fakeOutputDebugStringA(const char* text) {
    records().debugMessages.push_back(text);
}

// The stdcall services are called through import pointers of these names.
// In the Windows build the test framework's own OutputDebugStringA calls,
// made only under a debugger, land here as well.
#if defined(_WIN32)
#define IMPORT_POINTER(plain, decorated) __asm__("__imp__" decorated)
#else
#define IMPORT_POINTER(plain, decorated) __asm__("__imp_" plain)
#endif
void* importThunkConnect32 IMPORT_POINTER("ThunkConnect32", "ThunkConnect32@24") =
    reinterpret_cast<void*>(&fakeThunkConnect32);
void* importOutputDebugStringA IMPORT_POINTER("OutputDebugStringA", "OutputDebugStringA@4") =
    reinterpret_cast<void*>(&fakeOutputDebugStringA);

uint32_t fakeRecordRelay(const uint8_t* esp, const uint8_t* ebp, uint32_t target, uint32_t ecx) {
    fake::RelayCall call{ecx & 0xFF, target, uint32_t(ebp - esp), {}};
    uint32_t argumentBytes = 0;
    if (call.frameBytes >= fake::kThunkFrameSize)
        argumentBytes = std::min(call.frameBytes - fake::kThunkFrameSize, fake::kMaxArgumentBytes);
    call.arguments.assign(esp, esp + argumentBytes);
    records().events.push_back({fake::Call::Relay, 0, call.index, 0, 0});
    records().relays.push_back(std::move(call));
    return argumentBytes;  // the 16-bit function takes exactly its arguments off
}

uint32_t fakeRecordMap(uint8_t* ebp, uint32_t slot) {
    const uint32_t flat = fake::readWord(ebp + slot);
    const uint32_t alias = fake::aliasFor(slot, flat);
    std::memcpy(ebp + slot, &alias, sizeof alias);
    records().events.push_back({fake::Call::Map, slot, flat, alias, 0});
    return alias;
}

void fakeRecordUnmap(uint8_t* ebp, uint32_t slot, uint32_t eax) {
    const uint32_t alias = fake::readWord(ebp + slot);
    records().events.push_back({fake::Call::Unmap, slot, 0, alias, eax});
    const uint32_t released = 0;
    std::memcpy(ebp + slot, &released, sizeof released);
}

uint32_t fakeRecordFtThunk(const uint8_t* esp, const uint8_t* ebp) {
    fake::FtThunkCall call{};
    call.controlWord = uint16_t(fake::readWord(ebp + FAKE_FRAME_CONTROL));
    call.target = fake::readWord(ebp + FAKE_FRAME_TARGET);
    call.mask = fake::readWord(ebp + FAKE_FRAME_MASK);
    call.frameBytes = uint32_t(ebp - esp);
    call.argument = fake::readWord(esp);
    if (call.mask & 1) {
        // The copy must lie inside what FT_Thunk copies to the 16-bit stack:
        // above the argument word, below the 64-byte work space.
        auto* copy = reinterpret_cast<uint8_t*>(uintptr_t(call.argument));
        call.copyInFrame = copy >= esp + 4 &&
                           copy + fake::kRecordCopySize <= ebp - fake::kThunkFrameSize;
        if (call.copyInFrame) {
            std::memcpy(call.copy.data(), copy, fake::kRecordCopySize);
            std::memset(copy, fake::kScribbleByte, fake::kRecordCopySize);
        }
    }
    records().events.push_back({fake::Call::FtThunk, 0, uint32_t(call.controlWord & 0xFF), 0, 0});
    records().ftThunks.push_back(call);
    return 4 * ((call.controlWord >> 10) & 0x3F);  // the 16-bit function's argument words
}

}  // extern "C"
