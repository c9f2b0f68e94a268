/* Layout of ProbeRegisters, shared by call_probe.S and the C++ side, which
 * checks it with static_assert. */
#ifndef TESTS_BRIDGE_PROBE_LAYOUT_H
#define TESTS_BRIDGE_PROBE_LAYOUT_H

#define PROBE_EAX 0
#define PROBE_EBX 4
#define PROBE_ESI 8
#define PROBE_EDI 12
#define PROBE_EBP 16
#define PROBE_ESP_BEFORE 20
#define PROBE_ESP_AFTER 24
#define PROBE_EFLAGS 28

/* What the probe loads before the call: the callee must give back EBX, ESI,
 * EDI and EBP as they were; ECX carries junk above CL into the stubs. */
#define PROBE_SENTINEL_EBX 0xB0B1B2B3
#define PROBE_SENTINEL_ESI 0x51525354
#define PROBE_SENTINEL_EDI 0xD1D2D3D4
#define PROBE_SENTINEL_EBP 0xE1E2E3E4
#define PROBE_SENTINEL_ECX 0xC5C6C7C8

#endif
