// The emulated machine's file manifest and the parts of its file system that
// the contract tests cannot reach: faults and the manifest round trip.
#include "platform/emulated/file_manifest.h"

#include <doctest/doctest.h>

#include <string>

namespace {

using namespace platform::emulated;

constexpr const char* kManifest =
    "# a small machine\n"
    "drive C fixed\n"
    "drive E removable\n"
    "drive F remote\n"
    "windows-folder C:\\WINDOWS\n"
    "system-folder C:\\WINDOWS\\SYSTEM\n"
    "module-file C:\\Program Files\\Velmo\\Dravolin.exe\n"
    "current-folder C:\\Program Files\\Velmo\n"
    "names-foreign-windows yes\n"
    "folder H C:\\Hidden Folder\n"
    "file RA open =two%20words%0D%0A%25%E9 C:\\WINDOWS\\Start Menu\\Roxio Tray.lnk\n"
    "file - shut = C:\\Program Files\\Velmo\\Dravolin.exe\n"
    "window top foreign 0 =C:\\x.exe =C:\\x.exe =Main%20window\n"
    "window child foreign 1 =C:\\x.exe = =\n";

}  // namespace

TEST_CASE("a manifest loads into the machine it describes and saves back the same") {
    EmulatedFileSystem files;
    EmulatedDesktop desktop;
    std::string error;
    REQUIRE(LoadFileManifest(kManifest, files, desktop, error));
    CHECK(files.DriveTypeOf("E:\\") == platform::DRIVE_TYPE_REMOVABLE);
    CHECK(files.DriveTypeOf("F:") == platform::DRIVE_TYPE_REMOTE);
    CHECK(files.DriveTypeOf("Q:\\") == platform::DRIVE_TYPE_NO_ROOT);
    const FileNode* link = files.Find("c:\\windows\\start menu\\ROXIO TRAY.LNK");
    REQUIRE(link != nullptr);
    CHECK(link->name == "Roxio Tray.lnk");
    CHECK(link->contents == "two words\r\n%\xE9");
    CHECK(link->heldOpen);
    CHECK(link->attributes == (platform::kAttributeReadOnly | platform::kAttributeArchive));
    CHECK(files.GetAttributes("C:\\Hidden Folder") ==
          (platform::kAttributeHidden | platform::kAttributeFolder));
    CHECK(files.GetAttributes("C:\\Program Files\\Velmo\\Dravolin.exe") ==
          platform::kAttributeNormal);
    REQUIRE(desktop.Windows().size() == 2);
    CHECK(desktop.Windows()[1].child);
    CHECK(desktop.Parent(platform::WindowId(2)) == platform::WindowId(1));

    std::string saved = SaveFileManifest(files, desktop);
    EmulatedFileSystem files2;
    EmulatedDesktop desktop2;
    REQUIRE(LoadFileManifest(saved, files2, desktop2, error));
    CHECK(SaveFileManifest(files2, desktop2) == saved);
}

TEST_CASE("a malformed manifest line is named") {
    const char* bad[] = {
        "drive C floppy\n",
        "folder X C:\\a\n",
        "file R maybe =x C:\\a\n",
        "file R open x C:\\a\n",
        "file R open =%4 C:\\a\n",
        "window top own zero = = =\n",
        "names-foreign-windows perhaps\n",
        "file - shut =x Q:\\no drive\n",
        "file - shut =x C:\\a\r\r\n",
        "folder - C:\\a\tb\n",
        "module-file C:\\x\x01.exe\n",
        "unknown line\n",
    };
    for (const char* line : bad) {
        CAPTURE(line);
        EmulatedFileSystem files;
        EmulatedDesktop desktop;
        files.AddDrive('C', platform::DRIVE_TYPE_FIXED);
        std::string error;
        CHECK_FALSE(LoadFileManifest(std::string("# first\n") + line, files, desktop, error));
        CHECK(error.rfind("line 2: ", 0) == 0);
    }
}

TEST_CASE("faults fail the nth operation of chosen kinds, a path in any case, or a kind") {
    EmulatedFileSystem files;
    files.AddDrive('C', platform::DRIVE_TYPE_FIXED);
    files.AddFile("C:\\a.txt", "a", 0);
    files.AddFile("C:\\b.txt", "b", 0);

    files.Faults().FailNth(2, FILE_OP_SET_ATTRIBUTES);
    CHECK(files.GetAttributes("C:\\a.txt") == platform::kAttributeNormal);  // not counted
    CHECK(files.SetAttributes("C:\\a.txt", platform::kAttributeHidden));
    CHECK_FALSE(files.SetAttributes("C:\\a.txt", platform::kAttributeNormal));
    CHECK(files.SetAttributes("C:\\a.txt", platform::kAttributeNormal));
    CHECK(files.Faults().Counted() == 3);

    files.Faults().Clear();
    files.Faults().FailPath("c:\\A.TXT", FILE_OP_MOVE | FILE_OP_COPY);
    CHECK_FALSE(files.Move("C:\\a.txt", "C:\\c.txt"));
    CHECK_FALSE(files.CopyNoOverwrite("C:\\b.txt", "C:\\A.txt"));
    CHECK(files.Move("C:\\b.txt", "C:\\c.txt"));

    files.Faults().Clear();
    files.Faults().FailKind(FILE_OP_DELETE);
    CHECK_FALSE(files.Delete("C:\\c.txt"));
    CHECK(files.Find("C:\\c.txt") != nullptr);
}

TEST_CASE("a cut leaves a copy empty or half written with the source's attributes, and stops all") {
    EmulatedFileSystem files;
    CutOff cutOff;
    files.SetCutOff(&cutOff);
    files.AddDrive('C', platform::DRIVE_TYPE_FIXED);
    files.AddFile("C:\\a.dll", "abcdef", platform::kAttributeReadOnly);
    const std::string expected[] = {"", "abc"};
    for (std::uint64_t steps : {1, 2}) {
        const std::string copy = "C:\\copy" + std::to_string(steps) + ".dll";
        cutOff.After(steps);
        CHECK_FALSE(files.CopyNoOverwrite("C:\\a.dll", copy.c_str()));
        CHECK_FALSE(files.Exists("C:\\a.dll"));  // gone: reads fail as well
        CHECK_FALSE(files.Delete(copy.c_str()));
        cutOff.Lift();
        REQUIRE(files.Find(copy) != nullptr);
        CHECK(files.Find(copy)->contents == expected[steps - 1]);
        CHECK(files.Find(copy)->attributes == platform::kAttributeReadOnly);
    }
    CHECK(cutOff.Taken() == 3);
}

TEST_CASE("a folder holding a file that another program has open cannot move") {
    EmulatedFileSystem files;
    files.AddDrive('C', platform::DRIVE_TYPE_FIXED);
    files.AddDrive('D', platform::DRIVE_TYPE_FIXED);
    files.AddFile("C:\\Tree\\Sub\\busy.exe", "b");
    files.SetHeldOpen("C:\\Tree\\Sub\\busy.exe", true);
    CHECK_FALSE(files.Move("C:\\Tree", "C:\\Moved"));
    files.SetHeldOpen("C:\\Tree\\Sub\\busy.exe", false);
    CHECK_FALSE(files.Move("C:\\Tree", "D:\\Tree"));          // folders stay on their drive
    CHECK_FALSE(files.Move("C:\\Tree", "C:\\Tree\\Sub\\x"));  // nor into themselves
    CHECK(files.Move("C:\\Tree", "C:\\Moved"));
    CHECK(files.Find("C:\\Moved\\Sub\\busy.exe") != nullptr);
    std::string longPath = "C:\\" + std::string(130, 'x');
    CHECK(files.AddFile(longPath, "long"));
    CHECK_FALSE(files.Exists(longPath.c_str()));  // OpenFile's path limit
}

TEST_CASE("names compare without case in the Western code page too") {
    EmulatedFileSystem files;
    files.AddDrive('c', platform::DRIVE_TYPE_FIXED);
    files.AddFile("C:\\Démo\\ÉTÉ.lnk", "x");
    CHECK(files.Find("c:\\DÉMO\\été.LNK") != nullptr);
    CHECK(files.Find("C:\\Demo\\ete.lnk") == nullptr);
    CHECK(files.DriveTypeOf("c:\\") == platform::DRIVE_TYPE_FIXED);
}
