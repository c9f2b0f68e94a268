// Calls a stdcall function the way a 32-bit caller would, with sentinels in
// the callee-saved registers, and records what it gave back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "tests/bridge/probe_layout.h"

struct ProbeRegisters {
    uint32_t eax;
    uint32_t ebx;
    uint32_t esi;
    uint32_t edi;
    uint32_t ebp;
    uint32_t espBefore;  // before the arguments were pushed
    uint32_t espAfter;   // right after the call returned
    uint32_t eflags;     // right after the call returned
};

static_assert(offsetof(ProbeRegisters, eax) == PROBE_EAX);
static_assert(offsetof(ProbeRegisters, ebx) == PROBE_EBX);
static_assert(offsetof(ProbeRegisters, esi) == PROBE_ESI);
static_assert(offsetof(ProbeRegisters, edi) == PROBE_EDI);
static_assert(offsetof(ProbeRegisters, ebp) == PROBE_EBP);
static_assert(offsetof(ProbeRegisters, espBefore) == PROBE_ESP_BEFORE);
static_assert(offsetof(ProbeRegisters, espAfter) == PROBE_ESP_AFTER);
static_assert(offsetof(ProbeRegisters, eflags) == PROBE_EFLAGS);

extern "C" void probeCall(const void* function, const uint32_t* args, uint32_t count,
                          ProbeRegisters* out);

// The arguments in source order, first argument first.
inline ProbeRegisters probe(const void* function, std::initializer_list<uint32_t> args) {
    ProbeRegisters out{};
    probeCall(function, args.begin(), static_cast<uint32_t>(args.size()), &out);
    return out;
}

// Stack pointer back where it was, callee-saved registers untouched.
inline bool callerStateKept(const ProbeRegisters& r) {
    return r.espAfter == r.espBefore && r.ebx == PROBE_SENTINEL_EBX &&
           r.esi == PROBE_SENTINEL_ESI && r.edi == PROBE_SENTINEL_EDI &&
           r.ebp == PROBE_SENTINEL_EBP;
}
