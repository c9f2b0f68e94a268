// The findings of a generated machine.
#include "tests/machines/machine_findings.h"

#include <cctype>
#include <string>

#include "platform/text_case_1252.h"
#include "sweep/conflict_catalogue.h"
#include "sweep/registry_text.h"
#include "sweep/shown_data.h"

namespace test {
namespace {

constexpr const char* kSharedDllsKeyEnd = "\\shareddlls";
constexpr const char* kRunKeyEnd = "\\run";

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// True when `path` names a file right in `folder`, letters compared without case.
bool RightIn(const std::string& path, const std::string& folder) {
    const std::string below = Lower(folder) + "\\";
    const std::string lower = Lower(path);
    return lower.rfind(below, 0) == 0 && lower.find('\\', below.size()) == std::string::npos;
}

// Generated machines name things in code page 1252, where the matching rule
// is this one.
bool IsStartupProgram(const std::string& name) {
    for (const char* const* fragment = sweep::StartupFragments; *fragment != nullptr; ++fragment) {
        if (platform::ContainsNoCase1252(name.c_str(), *fragment)) return true;
    }
    return false;
}

}  // namespace

Findings ToBePutAside(const MachineDescription& machine, const MachineLayout& layout) {
    Findings findings;
    const std::vector<ViewPlaces> views = ViewsOf(layout);
    for (const FileItem& file : machine.Files()) {
        if (file.isFolder) continue;
        for (const ViewPlaces& view : views) {
            if (RightIn(file.path, view.systemFolder) || RightIn(file.path, view.driverFolder)) {
                findings.files.push_back(file);
                break;
            }
        }
    }
    for (const RegistryItem& item : machine.Registry()) {
        if (!item.isValue) continue;
        const std::string key = Lower(item.key);
        // The names the program forms start with its system folder; a name
        // that gives the folder as it lies on the disk is none of them.
        const bool formedName = EndsWith(key, kSharedDllsKeyEnd) &&
                                Lower(item.name).rfind(Lower(layout.systemFolder) + "\\", 0) == 0;
        const bool startupProgram = EndsWith(key, kRunKeyEnd) && IsStartupProgram(item.name);
        if (formedName || startupProgram) findings.values.push_back(item);
    }
    return findings;
}

std::vector<std::string> NativeFindingLines(const MachineDescription& machine,
                                            const MachineLayout& layout, const char* oldDriverOf) {
    std::vector<std::string> lines;
    if (!layout.HasTwoViews()) return lines;
    const ViewPlaces native = ViewsOf(layout)[1];
    // Below the native Software key, not below its Wow6432Node.
    const std::string nativeKey = Lower(native.software) + "\\microsoft\\";
    auto rowLine = [&](const std::string& path, const std::string& kind) {
        for (const sweep::DriverEntry* row = sweep::DriverTable; row->fileName != nullptr; ++row) {
            if (path.substr(path.rfind('\\') + 1) == row->fileName) {
                lines.push_back(row->fileName + kind + row->label + "\r\n");
            }
        }
    };
    const Findings findings = ToBePutAside(machine, layout);
    for (const FileItem& file : findings.files) {
        if (RightIn(file.path, native.systemFolder) || RightIn(file.path, native.driverFolder)) {
            rowLine(file.path, "   \tType: " + std::string(oldDriverOf));
        }
    }
    for (const RegistryItem& value : findings.values) {
        const std::string key = Lower(value.key);
        if (value.root != platform::RegRoot::LocalMachine || key.rfind(nativeKey, 0) != 0) continue;
        if (!EndsWith(key, kRunKeyEnd)) {
            rowLine(value.name, "   \tType Registry: ");
        } else if (value.name.size() <= sweep::kMaxValueNameLength &&
                   value.data.size() <= sweep::kMaxValueDataBytes) {
            sweep::RegistryText shown;
            sweep::FormatShownData(value.type,
                                   reinterpret_cast<const std::uint8_t*>(value.data.data()),
                                   static_cast<std::uint32_t>(value.data.size()), shown);
            lines.push_back(value.name + "   \tType Registry: " + std::string(shown.View()) +
                            "\r\n");
        }
    }
    return lines;
}

}  // namespace test
