// The value walk every part of the registry stage uses: the first
// kMaxValuesExamined values of a key, each read into the 260-byte buffers, a
// value that does not fit skipped. A visitor that deletes the value it was
// shown says so, and the walk then reads the same index again, because every
// later value has moved down by one: no value is passed over.
#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "sweep/registry_text.h"

namespace sweep {

struct WalkedValue {
    std::uint32_t index;  // as EnumValue counts, for the calls that take it
    const char* name;     // as the A calls give it
    platform::ValueType type;  // kRegNone when the walk reads names only
    const std::uint8_t* data;  // null when the walk reads names only
    std::uint32_t size;
};

enum class WalkStep { Keep, Removed };

enum class WalkReads { NamesOnly, NamesAndData };

// Calls `visit(const WalkedValue&)` for each value that fits; `visit` returns
// the WalkStep. Stops at the end of the values, after kMaxValuesExamined
// values, or at the first failure other than a value that does not fit.
template <typename Visit>
void WalkValues(platform::Registry& registry, const platform::RegKey& key, WalkReads reads,
                Visit&& visit) {
    std::uint32_t index = 0;
    for (int examined = 0; examined < kMaxValuesExamined; ++examined) {
        char name[kRegistryBufferSize];
        std::uint8_t data[kMaxValueDataBytes];
        std::uint32_t nameLength = kRegistryBufferSize;
        std::uint32_t size = kMaxValueDataBytes;
        platform::ValueType type = platform::kRegNone;
        const bool withData = reads == WalkReads::NamesAndData;
        platform::RegResult result =
            registry.EnumValue(key, index, name, &nameLength, withData ? &type : nullptr,
                               withData ? data : nullptr, withData ? &size : nullptr);
        if (result == platform::kErrorMoreData) {
            ++index;
            continue;
        }
        if (result != platform::kErrorSuccess) return;
        WalkedValue value{index, name, type, withData ? data : nullptr, withData ? size : 0};
        if (visit(static_cast<const WalkedValue&>(value)) == WalkStep::Keep) ++index;
    }
}

}  // namespace sweep
