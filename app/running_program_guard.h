// The guard every sweep command runs first: is a program of the tool's own
// folder showing a window? Sweeping while one runs could move files it uses.
#pragma once

#include <string>
#include <string_view>

#include "sweep/sweep_context.h"
#include "sweep/window_search.h"

namespace app {

// Window titles are read up to this many characters.
inline constexpr std::size_t kMaxWindowTitleLength = 259;

// "<title>\r\n<program>  <already open>\r\n\r\n", sized for the whole
// message: the title and the program name may each take 259 characters.
std::string ComposeRunningProgramMessage(std::string_view title, std::string_view programName,
                                         std::string_view alreadyOpen);

// Walks the folder of the running program for a program with a window open.
// Answers true with the guard's message in `statusText`, or false with
// `welcomeText` there. `search` keeps the window and program that were found.
bool CheckRunningPrograms(sweep::SweepContext& context, sweep::WindowSearch& search,
                          const char* alreadyOpenText, const char* welcomeText,
                          std::string& statusText);

}  // namespace app
