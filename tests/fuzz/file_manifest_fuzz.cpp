// Any file manifest: the loader takes it or stops at a line it cannot read,
// and what it loaded saves to a manifest that loads into the same machine.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/emulated/file_manifest.h"
#include "tests/fuzz/fuzz_check.h"

namespace emulated = platform::emulated;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    emulated::EmulatedFileSystem files;
    emulated::EmulatedDesktop desktop;
    std::string error;
    emulated::LoadFileManifest(text, files, desktop, error);
    const std::string saved = emulated::SaveFileManifest(files, desktop);

    emulated::EmulatedFileSystem filesAgain;
    emulated::EmulatedDesktop desktopAgain;
    FUZZ_CHECK(emulated::LoadFileManifest(saved, filesAgain, desktopAgain, error));
    FUZZ_CHECK(emulated::SaveFileManifest(filesAgain, desktopAgain) == saved);
    return 0;
}
