// Reading one REG_SZ value in place of its key path.
#include "sweep/read_string_value.h"

#include <cstring>

namespace sweep {

int ReadStringValue(platform::Registry& registry, platform::RegRoot root,
                    char (&buffer)[kRegistryBufferSize], const char* valueName) {
    std::uint32_t size = 0;
    platform::ValueType type = platform::kRegNone;
    platform::RegResult result = platform::kErrorFileNotFound;
    if (std::memchr(buffer, '\0', kRegistryBufferSize) != nullptr) {
        platform::RegKey key;
        if (registry.OpenKey(root, buffer, platform::kKeyRead, key) == platform::kErrorSuccess) {
            size = kMaxValueDataBytes;
            result = registry.QueryValue(key, valueName, &type, buffer, &size);
        }
    }
    if (result != platform::kErrorSuccess || size == 0 || type != platform::kRegSz) {
        buffer[0] = '\0';
        return 0;
    }
    // The stored text may lack its terminating zero; add it where there is room.
    if (buffer[size - 1] != '\0') {
        if (size == kRegistryBufferSize) {
            buffer[0] = '\0';
            return 0;
        }
        buffer[size] = '\0';
        ++size;
    }
    return static_cast<int>(size);
}

}  // namespace sweep
