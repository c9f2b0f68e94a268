// The limits of the registry stage and the fixed buffer that holds a key path,
// a value name or a value's data. The platform's 260-byte buffers set them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace sweep {

inline constexpr std::size_t kRegistryBufferSize = 260;
// Longest value name a walk reads: the buffer less the terminator.
inline constexpr std::size_t kMaxValueNameLength = kRegistryBufferSize - 1;
// Most data bytes a walk or a read takes.
inline constexpr std::uint32_t kMaxValueDataBytes = kRegistryBufferSize;
// A walk looks at no more than the first this many values of a key.
inline constexpr int kMaxValuesExamined = 2000;
// A name fragment is cut to this many characters before it is searched for.
inline constexpr std::size_t kMaxFragmentLength = kRegistryBufferSize - 1;

// Text in a 260-byte buffer. A change fits whole or is refused and leaves the
// text as it was, so a key path is never cut into the path of another key.
class RegistryText {
  public:
    RegistryText() = default;
    explicit RegistryText(std::string_view text) { Append(text); }

    bool Append(std::string_view text) {
        if (text.size() > kMaxValueNameLength - length_) return false;
        // An empty view may have no data at all, which memcpy must not see.
        if (!text.empty()) std::memcpy(text_ + length_, text.data(), text.size());
        length_ += text.size();
        text_[length_] = '\0';
        return true;
    }
    bool Append(std::initializer_list<std::string_view> parts) {
        std::size_t total = 0;
        for (std::string_view part : parts) total += part.size();
        if (total > kMaxValueNameLength - length_) return false;
        for (std::string_view part : parts) Append(part);
        return true;
    }
    void Clear() {
        length_ = 0;
        text_[0] = '\0';
    }

    const char* Text() const { return text_; }
    std::string_view View() const { return {text_, length_}; }

  private:
    char text_[kRegistryBufferSize] = {};
    std::size_t length_ = 0;
};

}  // namespace sweep
