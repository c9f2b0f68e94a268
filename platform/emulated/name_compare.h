// Name comparison of the emulated machine: letter case ignored the way the
// Western code page pairs its letters, every other byte compared as it is.
#pragma once

#include <string_view>

namespace platform::emulated {

char FoldCase(char c);
bool SameName(std::string_view a, std::string_view b);
// Orders names the way an NTFS listing does for plain names: without case.
bool NameLess(std::string_view a, std::string_view b);
// Matches a listing pattern with "*" and "?"; "*.*" matches every name.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace platform::emulated
