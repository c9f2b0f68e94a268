// What a contract test needs from the machine under test beyond the seam
// itself: a fresh scratch folder, files written and read back, a file held
// open by someone else, and windows of this process. One backend per build.
#pragma once

#include <memory>
#include <string>

#include "platform/desktop.h"
#include "platform/file_system.h"

namespace contract {

// Keeps a file open without sharing until destroyed.
class HeldFile {
  public:
    virtual ~HeldFile() = default;
};

class ContractBackend {
  public:
    virtual ~ContractBackend() = default;

    virtual platform::FileSystem& Files() = 0;
    virtual platform::Desktop& Desktop() = 0;

    // A new, empty folder on a fixed drive; removed with its contents when
    // the backend moves on to the next one or ends.
    virtual std::string NewScratchFolder() = 0;

    virtual bool WriteFile(const std::string& path, const std::string& contents) = 0;
    // The whole contents; "<unreadable>" when the file cannot be read.
    virtual std::string ReadFile(const std::string& path) = 0;
    virtual std::unique_ptr<HeldFile> HoldOpen(const std::string& path) = 0;

    // A top-level window of this process with the text; `owner` may be null.
    virtual platform::WindowId ShowWindow(const std::string& text, platform::WindowId owner) = 0;
    // The file of this program, as the platform names it.
    virtual std::string OwnModulePath() = 0;
};

// The backend of this build, made once.
ContractBackend& Backend();

}  // namespace contract
