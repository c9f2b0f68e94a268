// What the test Zelvbase.DLL (zelvbase16.asm) records of every call that
// reaches one of its twenty entries, and the results the test chooses for
// them. It lies in the library's data segment, exported as ZELVRECORDER;
// the layout is zelvbase16.asm's, which the test checks by signature and
// size before it reads anything.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bridge16 {

constexpr int kEntryCount = 20;
constexpr size_t kFrameCapacity = 16;    // the largest 16-bit argument frame
constexpr size_t kPointeeCapacity = 32;  // read behind a buffer pointer
constexpr size_t kRecordCopyBytes = 26;  // read behind the metronome record's pointer
constexpr uint16_t kWriteMark = 0xA516;  // the entry writes it at offset 0 behind a pointer
constexpr char kRecorderSignature[4] = {'Z', 'R', 'E', 'C'};

enum class PointerSeen : uint16_t {
    None = 0,          // the entry takes no pointer
    Copied = 1,        // read, then kWriteMark written through it
    Inaccessible = 2,  // null, or no readable and writable segment behind it
};

struct EntryRecord {
    uint16_t calls;
    uint16_t frameBytes;
    uint8_t frame[kFrameCapacity];  // the arguments, last pushed at the lowest address
    PointerSeen pointer;
    uint16_t stackPointer;   // SS:SP as the entry found them, its return
    uint16_t stackSelector;  // address on top
    uint16_t unused;
    uint8_t pointee[kPointeeCapacity];
    uint8_t reserved[4];
};

struct Recorder {
    char signature[4];
    uint16_t bytes;
    uint16_t unused;
    uint32_t results[kEntryCount];  // returned by entry i: low word in AX, high word in DX
    EntryRecord records[kEntryCount];
};

static_assert(sizeof(EntryRecord) == 64);
static_assert(offsetof(EntryRecord, pointer) == 20);
static_assert(offsetof(EntryRecord, pointee) == 28);
static_assert(offsetof(Recorder, results) == 8);
static_assert(offsetof(Recorder, records) == 88);

}  // namespace bridge16
