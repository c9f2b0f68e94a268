// The library's symbols as the tests reach them: the twenty exports, the
// entry routines, and the data that joins the library to the 16-bit side.
#pragma once

#include <cstdint>

#define ZELVINK_STDCALL __attribute__((stdcall))

extern "C" {
uint32_t ZELVINK_STDCALL stopMetronom();
uint32_t ZELVINK_STDCALL startMetronom();
uint32_t ZELVINK_STDCALL setMetronomParam(uint32_t record);
uint32_t ZELVINK_STDCALL MidiJobAddSysXBlock(uint32_t, uint32_t, uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL MidiOutSysXBlock(uint32_t, uint32_t, uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL zelvSetControllerTimeout(uint32_t);
uint32_t ZELVINK_STDCALL zelvControllerSperre(uint32_t, uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL flushAllJobs();
uint32_t ZELVINK_STDCALL resetMidiJobs();
uint32_t ZELVINK_STDCALL resetMidiSynch();
uint32_t ZELVINK_STDCALL checkMidiPlayback(uint32_t);
uint32_t ZELVINK_STDCALL synchMidiEngine(uint32_t, uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL setMidiJobFlag(uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL startMidiJob(uint32_t, uint32_t, uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL getMidiTime(uint32_t);
uint32_t ZELVINK_STDCALL playEvent(uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL stopMidi();
uint32_t ZELVINK_STDCALL startMidiTimer(uint32_t);
uint32_t ZELVINK_STDCALL closeMidiDevice(uint32_t, uint32_t);
uint32_t ZELVINK_STDCALL initMidiDevice(uint32_t, uint32_t);

uint32_t ZELVINK_STDCALL DllEntryPoint(uint32_t instance, uint32_t reason, uint32_t reserved);
uint32_t ZELVINK_STDCALL ZelvinkStartup(uint32_t instance, uint32_t reason, uint32_t reserved);
uint32_t ZELVINK_STDCALL THK_ThunkConnect32(const char* dll16, const char* dll32,
                                            uint32_t instance, uint32_t reason);

extern uint8_t THK_ThunkData32[];
extern const char ThunkData16Name[];
extern const uint32_t CallRelayPointer;
extern const uint32_t PrologRelayPointer;
}

template <typename F>
const void* address(F* function) {
    return reinterpret_cast<const void*>(function);
}
