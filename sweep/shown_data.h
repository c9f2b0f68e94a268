// How a report shows a registry value's data: a REG_SZ as its text, any other
// type as its bytes made readable (letters and digits as they are, every other
// byte raised by 48, "?" if that is still no letter or digit).
#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "sweep/registry_text.h"

namespace sweep {

// Longest shown data, in characters.
inline constexpr std::uint32_t kMaxShownDataLength = kRegistryBufferSize - 1;

// Writes the shown form of `size` bytes of `data` into `shown`.
void FormatShownData(platform::ValueType type, const std::uint8_t* data, std::uint32_t size,
                     RegistryText& shown);

}  // namespace sweep
