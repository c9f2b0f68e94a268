// Fixed-size paths that refuse to grow past the platform's limit.
#include "sweep/path_buffer.h"

#include <cstring>

namespace sweep {

std::size_t PathBuffer::Length() const {
    // The last byte is always the terminator; a full buffer has 259 characters.
    return strnlen(text_, kMaxPathLength);
}

bool PathBuffer::Assign(std::string_view text) {
    if (text.size() > kMaxPathLength) return false;
    // An empty view may hold a null pointer, which memmove must not see.
    if (!text.empty()) std::memmove(text_, text.data(), text.size());
    text_[text.size()] = '\0';
    return true;
}

bool PathBuffer::Append(std::string_view text) {
    std::size_t length = Length();
    if (text.size() > kMaxPathLength - length) return false;
    if (!text.empty()) std::memmove(text_ + length, text.data(), text.size());
    text_[length + text.size()] = '\0';
    return true;
}

bool PathBuffer::Join(const PathBuffer& folder, std::string_view name) {
    std::size_t length = folder.Length();
    if (length + 1 + name.size() > kMaxPathLength) return false;
    std::memmove(text_, folder.text_, length);
    text_[length] = '\\';
    if (!name.empty()) std::memmove(text_ + length + 1, name.data(), name.size());
    text_[length + 1 + name.size()] = '\0';
    return true;
}

std::size_t LastBackslash(const platform::AnsiText& text, const char* path) {
    std::size_t last = std::string_view::npos;
    for (const char* at = path; *at != '\0'; at += text.CharacterLength(at))
        if (*at == '\\') last = static_cast<std::size_t>(at - path);
    return last;
}

bool AdjustTrailingBackslash(const platform::AnsiText& text, PathBuffer& path, bool add) {
    std::size_t length = path.Length();
    bool ends = length > 0 && LastBackslash(text, path.Text()) == length - 1;
    if (add) return ends || path.Append("\\");
    if (ends) path.Chars()[length - 1] = '\0';
    return true;
}

}  // namespace sweep
