// Heap bytes for one call's scratch copy, had without exceptions: where the
// memory cannot be had the buffer says so, and the caller answers with the
// platform's own shortage code instead of ending the program.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace platform::win32 {

class ScratchBytes {
  public:
    // No memory is taken for a size of 0: Data() is then null.
    explicit ScratchBytes(std::size_t size)
        : bytes_(size == 0 ? nullptr : static_cast<unsigned char*>(std::malloc(size))),
          size_(bytes_ != nullptr ? size : 0),
          failed_(size != 0 && bytes_ == nullptr) {}

    bool Failed() const { return failed_; }
    unsigned char* Data() const { return bytes_.get(); }
    std::size_t Size() const { return size_; }

  private:
    struct Free {
        void operator()(unsigned char* bytes) const { std::free(bytes); }
    };
    std::unique_ptr<unsigned char, Free> bytes_;
    std::size_t size_;
    bool failed_;
};

}  // namespace platform::win32
