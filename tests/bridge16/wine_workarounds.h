// The test harness's side of Wine's 16-bit support: the services of Wine's
// 16-bit kernel (krnl386.exe16) that the round-trip test uses, and the
// workarounds for two faults of Wine 8.0's flat-thunk services.
//
// Both faults lie in Wine, not in Zelvink.dll, and both are worked around in
// the memory of the loaded library only, never in its file:
//  - QT_Thunk (reached through the CallRelay code that ThunkConnect32 writes
//    into the library's thunk block) returns through a context-setting call
//    that overwrites EAX, ECX and EDX, so the 16-bit result in DX:AX is lost.
//    The harness re-points that relay code at its own replacement.
//  - FT_Thunk (which the record stub calls through its import slot) returns
//    the same way, and takes an argument word whose translation bit is set
//    for the address of a pointer instead of the pointer itself, so the
//    16-bit side receives a flat address. The harness puts its own
//    replacement into that import slot.
// Each workaround is made only when a call through Wine's own service shows
// its fault; once a Wine without it is used, the library runs untouched.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tests/bridge16/recorder.h"

namespace bridge16 {

using SegmentedPointer = uint32_t;  // selector in the high word, offset in the low

struct Krnl386 {
    BOOL(WINAPI* callback16Ex)
    (DWORD target, DWORD flags, DWORD argumentBytes, void* arguments, DWORD* result);
    DWORD(WINAPI* moduleHandle16)(const char* name);  // the handle in the low word
    SegmentedPointer(WINAPI* procAddress16)(HMODULE module16, const char* name);
    void*(WINAPI* mapSL)(SegmentedPointer pointer);
    const void* qtThunk;
    const void* ftThunk;
};

// Finds the services in the loaded krnl386.exe16; the text says what is
// missing, empty when all were found.
std::string findKrnl386(Krnl386& services);

struct WorkaroundReport {
    bool qtThunkReplaced = false;
    bool ftThunkReplaced = false;
    uint32_t stackSlot = 0;  // where the TEB holds the thread's 16-bit SS:SP
};

// Checks Wine's QT_Thunk and FT_Thunk through the loaded library's own
// exports and replaces each one that shows its fault. probeEntry is a
// 16-bit entry without arguments, with its record in the recorder; the
// recorder is left cleared. The text says what failed, empty on success.
std::string applyWineWorkarounds(HMODULE zelvink, const Krnl386& services, Recorder& recorder,
                                 SegmentedPointer probeEntry, int probeIndex,
                                 WorkaroundReport& report);

void clearRecords(Recorder& recorder);

}  // namespace bridge16
