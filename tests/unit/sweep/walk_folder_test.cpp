// The walker, the purge, the listing and the path buffer on their own.
#include "sweep/walk_folder.h"

#include <doctest/doctest.h>

#include <string>

#include "platform/emulated/emulated_ansi_text.h"
#include "platform/emulated/file_faults.h"
#include "sweep/list_startup_entries.h"
#include "sweep/path_buffer.h"
#include "sweep/purge_folder.h"
#include "tests/unit/sweep/file_machine.h"

namespace {

using filetest::FileMachine;
using sweep::PathBuffer;

PathBuffer Path(const std::string& text) {
    PathBuffer path;
    REQUIRE(path.Assign(text));
    return path;
}

int Walk(FileMachine& m, const std::string& from, const std::string& to, sweep::WalkMode mode) {
    PathBuffer source = Path(from), destination = Path(to);
    return sweep::WalkFolder(m.context, source, destination, mode);
}

}  // namespace

TEST_CASE("AdjustTrailingBackslash looks only at the last character") {
    const platform::emulated::EmulatedAnsiText western;
    struct Case {
        const char* path;
        bool add;
        const char* result;
    };
    const Case cases[] = {
        {"D:\\", false, "D:"},        {"D:", true, "D:\\"},      {"C:\\a\\\\", false, "C:\\a\\"},
        {"C:\\a\\", true, "C:\\a\\"}, {"C:\\a", false, "C:\\a"}, {"\\", false, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.path);
        PathBuffer path = Path(c.path);
        CHECK(sweep::AdjustTrailingBackslash(western, path, c.add));
        CHECK(std::string(path.Text()) == c.result);
    }
    PathBuffer full = Path(std::string(sweep::kMaxPathLength, 'x'));
    CHECK_FALSE(sweep::AdjustTrailingBackslash(western, full, true));
    CHECK(full.Length() == sweep::kMaxPathLength);
}

// Code page 932: the last character of C:\常駐機能 is 能, bytes 0x94 0x5C.
TEST_CASE("AdjustTrailingBackslash and LastBackslash step by double-byte characters") {
    const platform::emulated::EmulatedAnsiText japanese(platform::emulated::CodePage::kJapanese932);
    const std::string folder = "C:\\\x8F\xED\x92\x93\x8B\x40\x94\x5C";
    PathBuffer path = Path(folder);
    CHECK(sweep::AdjustTrailingBackslash(japanese, path, false));
    CHECK(std::string(path.Text()) == folder);
    CHECK(sweep::AdjustTrailingBackslash(japanese, path, true));
    CHECK(std::string(path.Text()) == folder + "\\");
    CHECK(sweep::AdjustTrailingBackslash(japanese, path, false));
    CHECK(std::string(path.Text()) == folder);
    CHECK(sweep::LastBackslash(japanese, (folder + "\\x.lnk").c_str()) == folder.size());
    CHECK(sweep::LastBackslash(japanese, folder.c_str()) == 2);
    // A lead byte at the very end stands alone; the byte before it is looked at.
    CHECK(sweep::LastBackslash(japanese, "C:\\\x94") == 2);
}

TEST_CASE("a path buffer refuses what would not fit and keeps what it had") {
    PathBuffer path = Path(std::string(250, 'a'));
    CHECK(path.Append("123456789"));
    CHECK(path.Length() == 259);
    CHECK_FALSE(path.Append("x"));
    CHECK(path.Length() == 259);
    PathBuffer joined;
    CHECK_FALSE(joined.Join(path, "x"));
    CHECK(joined.Empty());
    CHECK_FALSE(path.Assign(std::string(260, 'b')));
    CHECK(path.View() == std::string(250, 'a') + "123456789");
}

TEST_CASE("WALK_MOVE_ALL moves every file of the tree and counts moves, trailing backslashes cut") {
    FileMachine m;
    m.Add("C:\\From\\a.txt", "a", platform::kAttributeHidden);
    m.Add("C:\\From\\Sub\\b.txt", "b");
    m.Add("C:\\From\\DravolinStuff\\c.txt", "c");
    m.Add("C:\\To\\a.txt", "taken");
    PathBuffer source = Path("C:\\From\\"), destination = Path("C:\\To\\");
    CHECK(sweep::WalkFolder(m.context, source, destination, sweep::WALK_MOVE_ALL) == 1);
    CHECK(std::string(source.Text()) == "C:\\From");
    CHECK(std::string(destination.Text()) == "C:\\To");
    CHECK(m.Picture("C:\\From") ==
          "DravolinStuff\\\nDravolinStuff\\c.txt=c/32\nSub\\\na.txt=a/2\n");
    CHECK(m.Picture("C:\\To") == "Sub\\\nSub\\b.txt=b/32\na.txt=taken/32\n");
}

TEST_CASE("a walk that cannot start does nothing") {
    FileMachine m;
    m.Add("C:\\From\\Roxio.lnk", "r");
    CHECK(Walk(m, "C:\\Missing", "C:\\To", sweep::WALK_MOVE_ALL) == 0);
    CHECK(m.IsFolder("C:\\To"));  // created before the listing failed
    CHECK(Walk(m, "C:\\From", "\\To", sweep::WALK_MOVE_STARTUP) == 0);
    CHECK(Walk(m, "C:\\From", "C:\\To", static_cast<sweep::WalkMode>(7)) == 0);
    m.files.Faults().FailKind(platform::emulated::FILE_OP_LIST);
    CHECK(Walk(m, "C:\\From", "C:\\To", sweep::WALK_MOVE_STARTUP) == 0);
    CHECK(m.Has("C:\\From\\Roxio.lnk"));
}

TEST_CASE("PurgeFolder empties a tree, counting files deleted and folders removed") {
    FileMachine m;
    m.Add("C:\\Aside\\a.lnk", "a", platform::kAttributeReadOnly);
    m.Add("C:\\Aside\\Sub\\Deeper\\b.lnk", "b");
    m.files.AddFolder("C:\\Aside\\Empty");
    m.Add("C:\\Aside\\busy.lnk", "busy", platform::kAttributeHidden);
    m.files.SetHeldOpen("C:\\Aside\\busy.lnk", true);
    PathBuffer folder = Path("C:\\Aside\\");
    // a.lnk, b.lnk, Deeper, Sub, Empty; busy.lnk stays with its attributes.
    CHECK(sweep::PurgeFolder(m.context, folder) == 5);
    CHECK(m.Picture("C:\\Aside") == "busy.lnk=busy/2\n");
    PathBuffer missing = Path("C:\\Nowhere");
    CHECK(sweep::PurgeFolder(m.context, missing) == 0);
}

TEST_CASE("ListStartupEntries lists every fragment of every file of the tree") {
    FileMachine m;
    m.Add("C:\\S\\Adaptec DirectCD.lnk", "x");
    m.Add("C:\\S\\Dravolin\\InCD.lnk", "y");
    m.Add("C:\\S\\plain.lnk", "z");
    PathBuffer folder = Path("C:\\S\\");
    CHECK(sweep::ListStartupEntries(m.context, folder) == 3);
    CHECK(m.ReportLines() ==
          "Start: Adaptec DirectCD.lnk\r\nStart: Adaptec DirectCD.lnk\r\nStart: InCD.lnk\r\n");
}
