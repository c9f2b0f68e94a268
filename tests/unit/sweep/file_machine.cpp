// The file stage's test machine.
#include "tests/unit/sweep/file_machine.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace filetest {
namespace {

constexpr const char* kHeader = "HEADER\r\n";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void Collect(const platform::emulated::FileNode& folder, const std::string& prefix,
             std::vector<std::string>& lines) {
    for (const auto& child : folder.children) {
        std::string path = prefix + child->name;
        if (child->folder) {
            lines.push_back(path + "\\");
            Collect(*child, path + "\\", lines);
        } else {
            lines.push_back(path + "=" + child->contents + "/" + std::to_string(child->attributes));
        }
    }
}

}  // namespace

FileMachine::FileMachine()
    : registry(platform::PLATFORM_NT),
      report(sweep::ReportBuffer::Allocate()),
      context{
          registry, files, desktop, *report, {kHeader, "NONE\r\n", "old "}, platform::PLATFORM_NT, text} {
    files.AddDrive('C', platform::DRIVE_TYPE_FIXED);
    files.AddDrive('D', platform::DRIVE_TYPE_FIXED);
    files.AddDrive('E', platform::DRIVE_TYPE_REMOVABLE);
    files.AddDrive('F', platform::DRIVE_TYPE_REMOTE);
    files.AddDrive('G', platform::DRIVE_TYPE_CDROM);
    files.SetWindowsFolder("C:\\WINDOWS");
    files.SetSystemFolder(kSystemFolder);
    files.AddFolder(kSystemFolder);
    files.AddFile(kProgram, "MZ program");
    files.SetModuleFile(kProgram);
    files.SetCurrentFolder(kProgramFolder);
    files.AddFolder(kUserStartup);
    files.AddFolder(kCommonStartup);
    SetStartupValue(platform::RegRoot::CurrentUser, kUserStartup);
    SetStartupValue(platform::RegRoot::LocalMachine, kCommonStartup);
    report->Restart(kHeader);
}

void FileMachine::SetStartupValue(platform::RegRoot root, const std::string& path) {
    platform::RegKey key;
    registry.CreateKey(root, kShellFolders, key);
    const char* name = root == platform::RegRoot::CurrentUser ? "Startup" : "Common Startup";
    registry.SetValue(key, name, platform::kRegSz, path.c_str(),
                      static_cast<std::uint32_t>(path.size() + 1));
}

void FileMachine::Add(const std::string& path, const std::string& contents,
                      std::uint32_t attributes) {
    files.AddFile(path, contents, attributes);
}

bool FileMachine::Has(const std::string& path) const {
    return files.Find(path) != nullptr;
}

bool FileMachine::IsFolder(const std::string& path) const {
    const auto* node = files.Find(path);
    return node != nullptr && node->folder;
}

std::string FileMachine::Contents(const std::string& path) const {
    const auto* node = files.Find(path);
    return node == nullptr || node->folder ? "<none>" : node->contents;
}

std::uint32_t FileMachine::Attributes(const std::string& path) const {
    const auto* node = files.Find(path);
    return node == nullptr ? platform::kInvalidAttributes : node->attributes;
}

std::string FileMachine::ReportLines() const {
    std::string text = report->Text();
    return text.substr(std::strlen(kHeader));
}

std::string FileMachine::Picture(const std::string& folder) const {
    const auto* node = files.Find(folder);
    if (node == nullptr) return "<none>";
    std::vector<std::string> lines;
    Collect(*node, "", lines);
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

}  // namespace filetest
