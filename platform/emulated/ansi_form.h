// Characters that the ANSI code page of an emulated NT machine cannot express.
// Its registry holds names and text data as the machine's ANSI bytes, except
// that such a character is held as kNoAnsiMark and the four hex digits of its
// UTF-16 unit. The A calls show each one as '?', as Windows does; a copy that
// converts nothing keeps it, and a name with '?' in its place is another name.
// No ANSI text holds the mark: the A calls never make one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::emulated {

inline constexpr char kNoAnsiMark = '\x7F';
inline constexpr std::size_t kNoAnsiMarkLength = 5;
// What the A calls show in place of a character without an ANSI form.
inline constexpr char kAnsiDefaultChar = '?';

// `text` with every unit written as a character without an ANSI form; ASCII
// units stay as they are. For building machines that hold such characters.
std::string WithoutAnsiForm(std::u16string_view text);
bool HasNoAnsiForm(std::string_view held);
// What the A calls show of `held`.
std::string AnsiView(std::string_view held);

}  // namespace platform::emulated
