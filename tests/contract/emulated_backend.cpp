// The contract backend of the host build: an emulated machine with one fixed
// drive, this program's module file and its windows.
#include <vector>

#include "platform/emulated/emulated_desktop.h"
#include "platform/emulated/emulated_file_system.h"
#include "tests/contract/contract_backend.h"

namespace contract {
namespace {

using platform::emulated::EmulatedDesktop;
using platform::emulated::EmulatedFileSystem;
using platform::emulated::EmulatedWindow;

constexpr const char* kModulePath = "C:\\Tests\\contract_tests.exe";

class HeldEmulatedFile : public HeldFile {
  public:
    HeldEmulatedFile(EmulatedFileSystem& files, std::string path)
        : files_(files), path_(std::move(path)) {
        files_.SetHeldOpen(path_, true);
    }
    ~HeldEmulatedFile() override { files_.SetHeldOpen(path_, false); }

  private:
    EmulatedFileSystem& files_;
    std::string path_;
};

class EmulatedBackend : public ContractBackend {
  public:
    EmulatedBackend() {
        files_.AddDrive('C', platform::DRIVE_TYPE_FIXED);
        files_.AddDrive('D', platform::DRIVE_TYPE_CDROM);
        files_.AddFolder("C:\\WINDOWS\\SYSTEM");
        files_.AddFile(kModulePath, "MZ");
        files_.SetModuleFile(kModulePath);
        files_.SetCurrentFolder("C:\\Tests");
    }

    platform::FileSystem& Files() override { return files_; }
    platform::Desktop& Desktop() override { return desktop_; }

    std::string NewScratchFolder() override {
        std::string path = "C:\\Scratch" + std::to_string(++scratchCount_);
        files_.AddFolder(path);
        return path;
    }

    bool WriteFile(const std::string& path, const std::string& contents) override {
        if (files_.Find(path) != nullptr) return false;  // created new, as on Windows
        return files_.AddFile(path, contents, 0);
    }

    std::string ReadFile(const std::string& path) override {
        const auto* node = files_.Find(path);
        if (node == nullptr || node->folder || node->heldOpen) return "<unreadable>";
        return node->contents;
    }

    std::unique_ptr<HeldFile> HoldOpen(const std::string& path) override {
        return std::make_unique<HeldEmulatedFile>(files_, path);
    }

    platform::WindowId ShowWindow(const std::string& text, platform::WindowId owner) override {
        EmulatedWindow window;
        window.modulePath = kModulePath;
        window.processImage = kModulePath;
        window.text = text;
        window.parent = owner;
        window.ownProcess = true;
        return desktop_.AddWindow(window);
    }

    std::string OwnModulePath() override { return kModulePath; }

  private:
    EmulatedFileSystem files_;
    EmulatedDesktop desktop_;
    int scratchCount_ = 0;
};

}  // namespace

ContractBackend& Backend() {
    static EmulatedBackend backend;
    return backend;
}

}  // namespace contract
