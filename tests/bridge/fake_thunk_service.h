// A fake of KERNEL32's flat-thunk services, linked in their place under the
// same names so that the library's own stub objects run against it. It
// records what the stubs hand over and answers as programmed.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace fake {

inline constexpr uint32_t kFunctionCount = 20;
inline constexpr uint32_t kThunkFrameSize = 64;
inline constexpr uint32_t kRecordCopySize = 26;
inline constexpr uint8_t kPaintByte = 0x5A;   // stack below the prolog frame
inline constexpr uint8_t kScribbleByte = 0xEE;  // what "Zelvbase" writes into the copy

enum class Call { Map, Relay, Unmap, FtThunk };

// One service call, in the order they happened.
struct Event {
    Call call;
    uint32_t slot = 0;   // Map, Unmap: the n of the service's name
    uint32_t value = 0;  // Map: flat pointer found; Relay, FtThunk: function index
    uint32_t alias = 0;  // Map: alias made; Unmap: alias found in the slot
    uint32_t eax = 0;    // Unmap: EAX on entry
};

struct RelayCall {
    uint32_t index;               // low byte of the frame word at EBP-4
    uint32_t target;              // EDX: the target table's entry
    uint32_t frameBytes;          // EBP - ESP at the stub's call
    std::vector<uint8_t> arguments;  // the bytes between ESP and the 64-byte work space
};

struct FtThunkCall {
    uint16_t controlWord;
    uint32_t target;
    uint32_t mask;
    uint32_t frameBytes;  // EBP - ESP at the stub's call
    uint32_t argument;    // the first argument word
    bool copyInFrame;     // the masked word points into the argument frame
    std::array<uint8_t, kRecordCopySize> copy{};
};

struct ConnectCall {
    const void* block;
    std::string name16;
    std::string dll16;
    std::string dll32;
    uint32_t instance;
    uint32_t reason;
    std::vector<std::string> blockProblems;
};

struct Records {
    std::vector<Event> events;
    std::vector<RelayCall> relays;
    std::vector<FtThunkCall> ftThunks;
    std::vector<ConnectCall> connects;
    std::vector<std::string> debugMessages;
};

Records& records();

// Forget every record (the connection stays).
void clearRecords();

// What ThunkConnect32 returns from now on; on a process attach it connects
// only when this is not 0 and the block is sound.
void setConnectResult(uint32_t result);

// The registers the relays and FT_Thunk return with: AX and DX carry the
// 16-bit function's result, the upper halves are junk the stubs must drop.
void setRelayResult(uint32_t eax, uint32_t edx);

// The entry of the target table for a function index, and the alias a
// mapping service makes of a flat pointer in the slot [EBP+slot].
uint32_t targetFor(uint32_t index);
uint32_t aliasFor(uint32_t slot, uint32_t flat);

// What is wrong with a thunk block, as the connection service checks it;
// empty when nothing is. Relay areas may hold trap bytes or this fake's code.
std::vector<std::string> blockProblems(const uint8_t* block);

// The library's block as it was when the program started.
const std::array<uint8_t, 100>& pristineBlock();

}  // namespace fake
