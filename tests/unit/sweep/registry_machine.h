// A test machine for the registry stage: the emulated registry of one Windows
// family loaded from REGEDIT4 text, a report buffer, and the sweep context over
// them, with short ways to look at keys and values afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/emulated/emulated_ansi_text.h"
#include "platform/emulated/emulated_desktop.h"
#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_registry.h"
#include "sweep/report_buffer.h"
#include "sweep/sweep_context.h"

namespace test {

inline constexpr const char* kTestHeader = "HEADER\r\n";

struct StoredValue {
    platform::ValueType type;
    std::vector<std::uint8_t> data;
    bool operator==(const StoredValue&) const = default;
};

class RegistryMachine {
  public:
    // `reg` is REGEDIT4 text without its first line.
    explicit RegistryMachine(platform::PlatformKind kind, std::string_view reg = {},
                             int currentControlSet = 1);

    platform::emulated::EmulatedRegistry registry;
    platform::emulated::EmulatedFileSystem files;
    platform::emulated::EmulatedDesktop desktop;
    platform::emulated::EmulatedAnsiText text;
    std::unique_ptr<sweep::ReportBuffer> report;
    sweep::SweepContext context;

    // The lines appended after the header.
    std::string ReportLines() const;
    bool KeyExists(platform::RegRoot root, const char* path);
    std::optional<StoredValue> Value(platform::RegRoot root, const char* path, const char* name);
    std::vector<std::string> ValueNames(platform::RegRoot root, const char* path);
};

StoredValue Sz(std::string_view text);
StoredValue Dword(std::uint32_t number);

}  // namespace test
