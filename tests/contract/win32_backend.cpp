// The contract backend of the Windows build: the real file system below the
// temporary folder, and real windows of this process.
#include <windows.h>

#include <vector>

#include "platform/win32/unique_handles.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "tests/contract/contract_backend.h"
#include "tests/wine/remove_tree.h"

namespace contract {
namespace {

using platform::win32::UniqueKernelObject;

using winetest::RemoveTree;

class HeldWin32File : public HeldFile {
  public:
    explicit HeldWin32File(HANDLE file) : file_(file) {}

  private:
    UniqueKernelObject file_;
};

class Win32Backend : public ContractBackend {
  public:
    ~Win32Backend() override {
        for (HWND window : windows_) ::DestroyWindow(window);
        for (const std::string& folder : scratch_) RemoveTree(folder);
    }

    platform::FileSystem& Files() override { return files_; }
    platform::Desktop& Desktop() override { return desktop_; }

    std::string NewScratchFolder() override {
        char temp[MAX_PATH];
        DWORD length = ::GetTempPathA(sizeof(temp), temp);
        if (length == 0 || length >= sizeof(temp)) return "C:\\dravolin-contract";
        std::string path = std::string(temp) + "dravolin-contract-" +
                           std::to_string(::GetCurrentProcessId()) + "-" +
                           std::to_string(scratch_.size() + 1);
        RemoveTree(path);
        ::CreateDirectoryA(path.c_str(), nullptr);
        scratch_.push_back(path);
        return path;
    }

    bool WriteFile(const std::string& path, const std::string& contents) override {
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        UniqueKernelObject owner(file);
        DWORD written = 0;
        return ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written,
                           nullptr) &&
               written == contents.size();
    }

    std::string ReadFile(const std::string& path) override {
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
        UniqueKernelObject owner(file);
        std::string contents;
        char chunk[512];
        DWORD got = 0;
        while (::ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0)
            contents.append(chunk, got);
        return contents;
    }

    std::unique_ptr<HeldFile> HoldOpen(const std::string& path) override {
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return nullptr;
        return std::make_unique<HeldWin32File>(file);
    }

    platform::WindowId ShowWindow(const std::string& text, platform::WindowId owner) override {
        HWND window = ::CreateWindowExA(0, "STATIC", text.c_str(), WS_POPUP, 0, 0, 40, 20,
                                        platform::win32::Win32Desktop::HandleOf(owner), nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
        if (window != nullptr) windows_.push_back(window);
        return platform::win32::Win32Desktop::IdOf(window);
    }

    std::string OwnModulePath() override {
        char path[MAX_PATH];
        DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
        return length > 0 && length < sizeof(path) ? std::string(path, length) : std::string();
    }

  private:
    platform::win32::Win32FileSystem files_;
    platform::win32::Win32Desktop desktop_;
    std::vector<std::string> scratch_;
    std::vector<HWND> windows_;
};

}  // namespace

ContractBackend& Backend() {
    static Win32Backend backend;
    return backend;
}

}  // namespace contract
