// The stand-ins for calls that Windows 95 and NT 4.0 lack, against the calls
// themselves on the same paths and windows: the long form of a path by a
// listing of each step (GetLongPathNameA), the root owner by a walk up
// GetParent (GetAncestor), and a window's program by a tool-help snapshot
// (psapi.dll). Each pair must give the same answer (for paths:
// length and text, letter case aside, see Answer), including where the
// answer does not fit or there is none.
#include <windows.h>

#include <string>
#include <vector>

#include "doctest/doctest.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_long_path.h"
#include "tests/contract/contract_backend.h"

namespace {

using platform::win32::LongPathByListing;
using platform::win32::LongPathOf;
using platform::win32::Win32Desktop;

// Letter case aside: GetLongPathNameA keeps a step that is already long as
// the caller wrote it, the listing takes the name as the folder holds it.
// The one user of the long form, the running-program search, compares
// without case, and the lengths agree.
struct Answer {
    std::size_t length;
    std::string text;
    bool operator==(const Answer& other) const {
        return length == other.length && ::lstrcmpiA(text.c_str(), other.text.c_str()) == 0;
    }
};

doctest::String toString(const Answer& answer) {
    return (std::to_string(answer.length) + " \"" + answer.text + "\"").c_str();
}

template <typename Lookup>
Answer Ask(Lookup lookup, const std::string& path, std::size_t size) {
    std::vector<char> buffer(size + 1, '#');  // one guard byte past the size given
    const std::size_t length = lookup(path.c_str(), buffer.data(), size);
    CHECK(buffer[size] == '#');
    return {length, size > 0 ? std::string(buffer.data()) : std::string()};
}

std::string ShortForm(const std::string& path) {
    char buffer[MAX_PATH];
    const DWORD length = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

std::string Lower(std::string text) {
    ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

TEST_CASE("the long form by listing matches GetLongPathNameA") {
    contract::ContractBackend& backend = contract::Backend();
    const std::string folder = backend.NewScratchFolder() + "\\Folder With A Long Name";
    REQUIRE(::CreateDirectoryA(folder.c_str(), nullptr));
    const std::string file = folder + "\\A Rather Long File Name.lnk";
    REQUIRE(backend.WriteFile(file, "x"));

    const std::string shortFile = ShortForm(file);
    const std::string paths[] = {
        file,
        shortFile,
        ShortForm(folder) + "\\A Rather Long File Name.lnk",
        Lower(file),
        folder + "\\",
        ShortForm(folder) + "\\",
        folder + "\\..\\Folder With A Long Name\\A Rather Long File Name.lnk",
        folder + "\\missing.lnk",
        "C:\\",
    };
    for (const std::string& path : paths) {
        CAPTURE(path);
        const std::size_t full = Ask(LongPathOf, path, MAX_PATH).length;
        for (std::size_t size : {std::size_t{MAX_PATH}, full + 1, full, std::size_t{1}}) {
            CAPTURE(size);
            CHECK(Ask(LongPathByListing, path, size) == Ask(LongPathOf, path, size));
        }
    }
}

TEST_CASE("the root owner by a walk up the parents matches GetAncestor") {
    contract::ContractBackend& backend = contract::Backend();
    Win32Desktop withAncestor;
    Win32Desktop withWalk(Win32Desktop::NewerFunctions::kAvoid);

    const platform::WindowId top = backend.ShowWindow("Dravolin fallback top", {});
    const platform::WindowId owned = backend.ShowWindow("Dravolin fallback owned", top);
    const platform::WindowId ownedTwice =
        backend.ShowWindow("Dravolin fallback owned twice", owned);
    HWND child = ::CreateWindowA("STATIC", "child", WS_CHILD, 0, 0, 10, 10,
                                 Win32Desktop::HandleOf(owned), nullptr, nullptr, nullptr);
    REQUIRE(child != nullptr);
    HWND gone = ::CreateWindowA("STATIC", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
    REQUIRE(gone != nullptr);
    ::DestroyWindow(gone);

    const struct {
        std::string name;
        platform::WindowId window;
    } windows[] = {{"top", top},
                   {"owned", owned},
                   {"owned twice", ownedTwice},
                   {"child of owned", Win32Desktop::IdOf(child)}};
    for (const auto& [name, window] : windows) {
        CAPTURE(name);
        const auto walked = withWalk.RootOwner(window).Value();
        const auto ancestor = withAncestor.RootOwner(window).Value();
        CHECK(walked == ancestor);
    }
    CHECK(withAncestor.RootOwner(ownedTwice) == top);
    // A window that is gone has no root owner, as Windows documents for
    // GetAncestor. Wine's GetAncestor answers a window there all the same, so
    // the two are not compared for it.
    CHECK(withWalk.RootOwner(Win32Desktop::IdOf(gone)) == platform::WindowId());
    ::DestroyWindow(child);
}

// Windows 95 has no psapi.dll: there the tool-help snapshot alone names the
// program behind a window. It gives the full path on the 9x family and the
// bare file name on the NT family; either must be the program psapi names.
TEST_CASE("the process image by snapshot names the program psapi names") {
    contract::ContractBackend& backend = contract::Backend();
    Win32Desktop withPsapi;
    Win32Desktop withSnapshot(Win32Desktop::NewerFunctions::kAvoid);
    const platform::WindowId window = backend.ShowWindow("Dravolin fallback image", {});

    char byPsapi[MAX_PATH] = {};
    char bySnapshot[MAX_PATH] = {};
    REQUIRE(withPsapi.WindowProcessImage(window, byPsapi, sizeof byPsapi) > 0);
    REQUIRE(withSnapshot.WindowProcessImage(window, bySnapshot, sizeof bySnapshot) > 0);
    const std::string path = Lower(byPsapi);
    const std::string fileName = path.substr(path.find_last_of('\\') + 1);
    CAPTURE(path);
    CHECK((Lower(bySnapshot) == path || Lower(bySnapshot) == fileName));

    // Too small a buffer gives no text from either, never a cut path.
    char tiny[4] = {'#', '#', '#', '#'};
    CHECK(withSnapshot.WindowProcessImage(window, tiny, sizeof tiny) == 0);
    CHECK(tiny[0] == '\0');
}
