// The whole-sweep test machine.
#include "tests/unit/sweep/sweep_machine.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "platform/emulated/file_manifest.h"

namespace test {

SweepMachine::SweepMachine(platform::PlatformKind kind, std::string_view reg,
                           std::string_view manifest, Bitness bitness,
                           platform::emulated::CodePage codePage)
    : registry(kind),
      text(codePage),
      report(sweep::ReportBuffer::Allocate()),
      context{ProgramRegistry(bitness),
              ProgramFiles(bitness),
              desktop,
              *report,
              {kEnglishHeader, kNoProblems, kOldDriverOf},
              kind,
              text,
              bitness == Bitness::k64 ? &registry : nullptr,
              bitness == Bitness::k64 ? &files : nullptr} {
    if (bitness == Bitness::k64 && kind != platform::PLATFORM_NT) {
        throw std::logic_error("64-bit Windows is of the NT family");
    }
    files.SetAnsiText(text);
    files.AddDrive('C', platform::DRIVE_TYPE_FIXED);
    files.SetWindowsFolder("C:\\WINDOWS");
    files.SetSystemFolder(SystemFolder());
    files.AddFolder(DriverFolder());
    if (HasTwoViews()) files.AddFolder(kWow64SystemFolder);
    files.AddFile(std::string(kProgramFolder) + "\\Dravolin.exe", "MZ");
    files.SetModuleFile(std::string(kProgramFolder) + "\\Dravolin.exe");
    files.SetCurrentFolder(kProgramFolder);
    registry.SetCutOff(&cutOff);
    files.SetCutOff(&cutOff);
    // The hive backup lands in the emulated file system like any file.
    using HiveWrite = platform::emulated::EmulatedRegistry::HiveWrite;
    registry.SetHiveFileWriter([this](const char* path, const std::string& content, HiveWrite how) {
        const platform::emulated::FileNode* existing = files.Find(path);
        if (how == HiveWrite::Create && existing != nullptr) return platform::kErrorAlreadyExists;
        const std::uint32_t attributes =
            existing != nullptr ? existing->attributes : platform::kAttributeArchive;
        return files.AddFile(path, content, attributes) ? platform::kErrorSuccess
                                                        : platform::kErrorAccessDenied;
    });
    // A description that does not load is a fault of the test itself.
    if (!reg.empty() && !registry.LoadRegFile("REGEDIT4\r\n\r\n" + std::string(reg))) {
        throw std::runtime_error("the registry description does not load");
    }
    std::string error;
    if (!manifest.empty() && !LoadFileManifest(manifest, files, desktop, error)) {
        throw std::runtime_error("the file manifest does not load: " + error);
    }
}

platform::Registry& SweepMachine::ProgramRegistry(Bitness bitness) {
    if (bitness == Bitness::k64) return wow64Registry;
    return registry;
}

platform::FileSystem& SweepMachine::ProgramFiles(Bitness bitness) {
    if (bitness == Bitness::k64) return wow64Files;
    return files;
}

std::string SweepMachine::SystemFolderOnDisk() const {
    return HasTwoViews() ? kWow64SystemFolder : SystemFolder();
}

std::string SweepMachine::SystemFolder() const {
    return context.platformKind == platform::PLATFORM_NT ? kNtSystemFolder : kWin9xSystemFolder;
}

std::string SweepMachine::DriverFolder() const {
    return SystemFolder() +
           (context.platformKind == platform::PLATFORM_NT ? "\\DRIVERS" : "\\IOSUBSYS");
}

std::set<std::string> SweepMachine::Snapshot() const {
    std::set<std::string> lines;
    std::string key;
    std::istringstream reg(registry.SaveRegFile());
    for (std::string line; std::getline(reg, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line == "REGEDIT4") continue;
        if (line.front() == '[') {
            key = line;
            for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            lines.insert(key);
            continue;
        }
        // Key and value names compare without case: a value moved out and back
        // under the path the sweep formed may come back in other letter case.
        std::string entry = key + " " + line;
        const auto nameEnd = entry.find("\"=", key.size());
        const auto end = nameEnd == std::string::npos ? key.size() : nameEnd;
        for (std::size_t i = key.size(); i < end; ++i) {
            entry[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(entry[i])));
        }
        lines.insert(entry);
    }
    std::istringstream manifest(platform::emulated::SaveFileManifest(files, desktop));
    for (std::string line; std::getline(manifest, line);) {
        if (line.rfind("file ", 0) == 0 || line.rfind("folder ", 0) == 0) lines.insert(line);
    }
    return lines;
}

}  // namespace test
