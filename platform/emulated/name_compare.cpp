// Case-blind names and listing patterns of the emulated machine.
#include "platform/emulated/name_compare.h"

#include "platform/text_case_1252.h"

namespace platform::emulated {

char FoldCase(char c) {
    return static_cast<char>(FoldCase1252(static_cast<unsigned char>(c)));
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

bool NameLess(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        auto x = static_cast<unsigned char>(FoldCase(a[i]));
        auto y = static_cast<unsigned char>(FoldCase(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

namespace {

bool Glob(std::string_view name, std::string_view pattern) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
        for (std::size_t skip = 0; skip <= name.size(); ++skip)
            if (Glob(name.substr(skip), pattern.substr(1))) return true;
        return false;
    }
    if (name.empty()) return false;
    if (pattern[0] != '?' && FoldCase(pattern[0]) != FoldCase(name[0])) return false;
    return Glob(name.substr(1), pattern.substr(1));
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*") return true;
    return Glob(name, pattern);
}

}  // namespace platform::emulated
