// Owners of the kernel handles the win32 backend opens: each closes its
// handle once, cannot be copied, and says what its empty value is.
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

template <typename Handle, Handle Empty, typename Closer>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Empty);
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Empty; }
    void Reset() {
        if (handle_ != Empty) Closer{}(handle_);
        handle_ = Empty;
    }

  private:
    Handle handle_ = Empty;
};

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
struct LibraryFreer {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
struct KeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};

// FindFirstFileA and CreateToolhelp32Snapshot fail with INVALID_HANDLE_VALUE,
// OpenProcess with null. A template argument cannot be the cast constant, so
// the find and snapshot owners compare against a sentinel made at run time.
class UniqueFind {
  public:
    UniqueFind() = default;
    explicit UniqueFind(HANDLE handle) : handle_(handle) {}
    UniqueFind(UniqueFind&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    UniqueFind(const UniqueFind&) = delete;
    UniqueFind& operator=(const UniqueFind&) = delete;
    UniqueFind& operator=(UniqueFind&&) = delete;
    ~UniqueFind() {
        if (Valid()) ::FindClose(handle_);
    }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class UniqueSnapshot {
  public:
    explicit UniqueSnapshot(HANDLE handle) : handle_(handle) {}
    UniqueSnapshot(const UniqueSnapshot&) = delete;
    UniqueSnapshot& operator=(const UniqueSnapshot&) = delete;
    ~UniqueSnapshot() {
        if (Valid()) ::CloseHandle(handle_);
    }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

  private:
    HANDLE handle_;
};

// A process, file or other kernel object that opens to null on failure.
using UniqueKernelObject = UniqueHandle<HANDLE, nullptr, HandleCloser>;
using UniqueProcess = UniqueKernelObject;
using UniqueLibrary = UniqueHandle<HMODULE, nullptr, LibraryFreer>;
using UniqueKey = UniqueHandle<HKEY, nullptr, KeyCloser>;

// Looks a function up by name in a loaded module, for calls that older
// systems lack. Null when the module or the function is missing.
template <typename Function>
Function LookUp(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace platform::win32
