// Reads one text value, for the file stage's Startup folder paths.
#pragma once

#include "platform/registry.h"
#include "sweep/registry_text.h"

namespace sweep {

// On entry `buffer` holds the key path below `root`, zero-terminated. The key
// is opened for reading and the value `valueName` read into the same buffer.
//
// Success (a REG_SZ value, not empty, that fits the 260 bytes with its
// terminating zero): the buffer holds the text, always zero-terminated, and
// the result is its size in bytes with that zero.
// Anything else (no key, no value, other type, REG_EXPAND_SZ included, empty,
// too long, or a key path without a terminator): the buffer holds "" and the
// result is 0.
//
// The key path is overwritten either way: copy it in again before each call.
int ReadStringValue(platform::Registry& registry, platform::RegRoot root,
                    char (&buffer)[kRegistryBufferSize], const char* valueName);

}  // namespace sweep
