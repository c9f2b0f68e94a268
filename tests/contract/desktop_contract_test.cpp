// What the running-program search relies on of the desktop: a window of this
// program is found by its module path, and parents and owners are told.
#include <doctest/doctest.h>

#include <cctype>
#include <string>

#include "tests/contract/contract_backend.h"

namespace {

using contract::Backend;
using platform::WindowId;

class FindByText : public platform::WindowVisitor {
  public:
    explicit FindByText(std::string text) : text_(std::move(text)) {}
    bool Visit(WindowId window) override {
        char text[platform::kMaxPathBytes];
        Backend().Desktop().WindowText(window, text, sizeof(text));
        ++visited;
        if (text_ != text) return true;
        found = window;
        return false;
    }
    WindowId found;
    int visited = 0;

  private:
    std::string text_;
};

bool SameFile(const std::string& a, const std::string& b) {
    char longA[platform::kMaxPathBytes], longB[platform::kMaxPathBytes];
    platform::FileSystem& files = Backend().Files();
    if (files.LongPathName(a.c_str(), longA, sizeof(longA)) == 0) return false;
    if (files.LongPathName(b.c_str(), longB, sizeof(longB)) == 0) return false;
    std::string x = longA, y = longB;
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(x[i])) !=
            std::tolower(static_cast<unsigned char>(y[i])))
            return false;
    return true;
}

}  // namespace

TEST_CASE("a top-level window of this program is found with its module path and text") {
    platform::Desktop& desktop = Backend().Desktop();
    WindowId shown = Backend().ShowWindow("Dravolin contract window", WindowId());
    REQUIRE_FALSE(shown.IsNull());

    FindByText search("Dravolin contract window");
    desktop.EnumerateTopLevelWindows(search);
    REQUIRE(search.found == shown);

    char module[platform::kMaxPathBytes];
    REQUIRE(desktop.WindowModuleFileName(shown, module, sizeof(module)) > 0);
    CHECK(SameFile(module, Backend().OwnModulePath()));
    char image[platform::kMaxPathBytes];
    REQUIRE(desktop.WindowProcessImage(shown, image, sizeof(image)) > 0);
    CHECK(SameFile(image, Backend().OwnModulePath()));

    char cut[9];
    CHECK(desktop.WindowText(shown, cut, sizeof(cut)) == 8);
    CHECK(std::string(cut) == "Dravolin");
    char tiny[4] = {'x', 'x', 'x', 'x'};
    CHECK(desktop.WindowModuleFileName(shown, tiny, sizeof(tiny)) == 0);
    CHECK(tiny[0] == '\0');
}

TEST_CASE("an enumeration ends when the visitor says so") {
    Backend().ShowWindow("first of two", WindowId());
    Backend().ShowWindow("second of two", WindowId());
    FindByText search("first of two");
    Backend().Desktop().EnumerateTopLevelWindows(search);
    CHECK_FALSE(search.found.IsNull());
    int visitedToFirst = search.visited;
    FindByText none("no window has this text");
    Backend().Desktop().EnumerateTopLevelWindows(none);
    CHECK(none.found.IsNull());
    CHECK(none.visited > visitedToFirst - 1);
}

TEST_CASE("an owned window names its owner as parent and root owner") {
    platform::Desktop& desktop = Backend().Desktop();
    WindowId owner = Backend().ShowWindow("owner window", WindowId());
    WindowId owned = Backend().ShowWindow("", owner);
    REQUIRE_FALSE(owned.IsNull());
    CHECK(desktop.Parent(owned) == owner);
    CHECK(desktop.RootOwner(owned) == owner);
    CHECK(desktop.Parent(owner).IsNull());
    CHECK(desktop.RootOwner(owner) == owner);
    char text[platform::kMaxPathBytes] = "sentinel";
    CHECK(desktop.WindowText(owned, text, sizeof(text)) == 0);
    CHECK(text[0] == '\0');
}
