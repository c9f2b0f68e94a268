// Brings the library into the state every export call needs: the relay
// areas filled by a successful process attach through the fake service.
#pragma once

#include <doctest/doctest.h>

#include "tests/bridge/call_probe.h"
#include "tests/bridge/fake_thunk_service.h"
#include "tests/bridge/zelvink_symbols.h"

inline constexpr uint32_t kTestInstance = 0x10000000;
inline constexpr uint32_t kProcessDetach = 0;
inline constexpr uint32_t kProcessAttach = 1;
inline constexpr uint32_t kThreadAttach = 2;
inline constexpr uint32_t kThreadDetach = 3;

inline void connectLibrary() {
    fake::setConnectResult(1);
    // Without the connection every export would run into the trap bytes.
    REQUIRE(probe(address(&DllEntryPoint), {kTestInstance, kProcessAttach, 0}).eax == 1);
    fake::clearRecords();
}
