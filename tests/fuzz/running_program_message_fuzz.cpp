// The running-program guard over a machine whose desktop and program folder
// come from the input: titles and program names of any length and bytes.
// When it names a program, the message is the title (cut to 259 characters),
// the program's file name and the text, whole and in that order.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/running_program_guard.h"
#include "platform/emulated/file_manifest.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/sweep/sweep_machine.h"

namespace {
constexpr std::string_view kAlreadyOpen = "is already open.";
constexpr std::string_view kWelcome = "WELCOME";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view title = fuzz::NextPart(input);
    const std::string_view name = fuzz::NextPart(input);
    const std::string_view manifest = input;

    // The message alone, for every title and name.
    const std::string message = app::ComposeRunningProgramMessage(title, name, kAlreadyOpen);
    FUZZ_CHECK(message == std::string(title) + "\r\n" + std::string(name) + "  " +
                              std::string(kAlreadyOpen) + "\r\n\r\n");

    // The guard on a machine with the named program running under the title,
    // and whatever the rest of the input adds.
    test::SweepMachine m(platform::PLATFORM_NT);
    const std::string program = std::string(test::kProgramFolder) + "\\" + std::string(name);
    m.files.AddFile(program, "MZ");
    m.desktop.AddWindow({program, program, std::string(title), {}, false, false});
    std::string error;
    platform::emulated::LoadFileManifest(manifest, m.files, m.desktop, error);
    sweep::WindowSearch search;
    std::string status;
    const bool running = app::CheckRunningPrograms(m.context, search, std::string(kAlreadyOpen).c_str(),
                                                   std::string(kWelcome).c_str(), status);
    if (!running) {
        FUZZ_CHECK(status == kWelcome);
        return 0;
    }
    const auto firstLineEnd = status.find("\r\n");
    FUZZ_CHECK(firstLineEnd != std::string::npos && firstLineEnd <= app::kMaxWindowTitleLength);
    const std::string found = search.searchedModuleName;
    FUZZ_CHECK(found.size() <= 259);
    FUZZ_CHECK(status.size() >= found.size() + 2 + kAlreadyOpen.size() + 4);
    FUZZ_CHECK(status.substr(status.size() - found.size() - 2 - kAlreadyOpen.size() - 4) ==
               found + "  " + std::string(kAlreadyOpen) + "\r\n\r\n");
    return 0;
}
