// What the sweep relies on of the file system, checked on the emulated machine
// and on Windows alike: a failing call changes nothing, names ignore case.
#include <doctest/doctest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "tests/contract/contract_backend.h"

namespace {

using contract::Backend;
using platform::kInvalidAttributes;

struct Scratch {
    std::string folder = Backend().NewScratchFolder();
    platform::FileSystem& files = Backend().Files();

    std::string At(const std::string& name) const { return folder + "\\" + name; }
    void Write(const std::string& name, const std::string& contents) const {
        REQUIRE(Backend().WriteFile(At(name), contents));
    }
    std::string Read(const std::string& name) const { return Backend().ReadFile(At(name)); }
    std::uint32_t Attributes(const std::string& name) const {
        return files.GetAttributes(At(name).c_str());
    }
};

std::vector<std::string> List(platform::FileSystem& files, const std::string& folder) {
    std::vector<std::string> names;
    platform::FindEntry entry;
    auto listing = files.FindFirst((folder + "\\*.*").c_str(), entry);
    if (listing == nullptr) return names;
    do names.push_back(entry.name);
    while (listing->Next(entry));
    return names;
}

// The long form takes each step's case from the disk, which need not be the
// case the path was written in.
std::string Folded(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

TEST_CASE("a move or copy onto a taken name fails and changes neither file") {
    Scratch s;
    s.Write("a.lnk", "first");
    s.Write("b.lnk", "second");
    for (const char* target : {"b.lnk", "B.LNK"}) {
        CAPTURE(target);
        CHECK_FALSE(s.files.Move(s.At("a.lnk").c_str(), s.At(target).c_str()));
        CHECK_FALSE(s.files.CopyNoOverwrite(s.At("a.lnk").c_str(), s.At(target).c_str()));
        CHECK(s.Read("a.lnk") == "first");
        CHECK(s.Read("b.lnk") == "second");
    }
}

TEST_CASE("a move or copy to a free name carries contents and attributes") {
    Scratch s;
    s.Write("a.lnk", "first");
    REQUIRE(s.files.SetAttributes(s.At("a.lnk").c_str(),
                                  platform::kAttributeHidden | platform::kAttributeReadOnly));
    CHECK(s.files.CopyNoOverwrite(s.At("a.lnk").c_str(), s.At("copy.lnk").c_str()));
    CHECK(s.Read("copy.lnk") == "first");
    CHECK((s.Attributes("copy.lnk") & platform::kAttributeHidden) != 0);

    REQUIRE(s.files.CreateFolder(s.At("aside").c_str()));
    CHECK(s.files.Move(s.At("a.lnk").c_str(), s.At("aside\\a.lnk").c_str()));
    CHECK(s.Attributes("a.lnk") == kInvalidAttributes);
    CHECK(s.Read("aside\\a.lnk") == "first");
    CHECK((s.Attributes("aside\\a.lnk") & platform::kAttributeReadOnly) != 0);
}

TEST_CASE("failing calls on missing places") {
    Scratch s;
    s.Write("a.lnk", "x");
    CHECK_FALSE(s.files.Move(s.At("a.lnk").c_str(), s.At("missing\\a.lnk").c_str()));
    CHECK_FALSE(s.files.Move(s.At("none.lnk").c_str(), s.At("b.lnk").c_str()));
    CHECK_FALSE(s.files.CopyNoOverwrite(s.At("none.lnk").c_str(), s.At("b.lnk").c_str()));
    CHECK_FALSE(s.files.Delete(s.At("none.lnk").c_str()));
    CHECK(s.Attributes("none.lnk") == kInvalidAttributes);
    CHECK_FALSE(s.files.SetAttributes(s.At("none.lnk").c_str(), platform::kAttributeNormal));
    CHECK_FALSE(s.files.Exists(s.At("none.lnk").c_str()));
    platform::FindEntry entry;
    CHECK(s.files.FindFirst((s.At("missing") + "\\*.*").c_str(), entry) == nullptr);
    CHECK(s.Read("a.lnk") == "x");
}

TEST_CASE("a read-only file cannot be deleted until its attributes are reset") {
    Scratch s;
    s.Write("ro.lnk", "keep");
    REQUIRE(s.files.SetAttributes(s.At("ro.lnk").c_str(), platform::kAttributeReadOnly));
    CHECK_FALSE(s.files.Delete(s.At("ro.lnk").c_str()));
    CHECK(s.Read("ro.lnk") == "keep");
    CHECK(s.files.SetAttributes(s.At("ro.lnk").c_str(), platform::kAttributeNormal));
    CHECK((s.Attributes("ro.lnk") & platform::kAttributeReadOnly) == 0);
    CHECK(s.files.Delete(s.At("ro.lnk").c_str()));
    CHECK(s.Attributes("ro.lnk") == kInvalidAttributes);
}

TEST_CASE("a file held open by another program cannot be opened, moved, copied or deleted") {
    Scratch s;
    s.Write("busy.exe", "running");
    REQUIRE(s.files.CreateFolder(s.At("aside").c_str()));
    {
        auto held = Backend().HoldOpen(s.At("busy.exe"));
        REQUIRE(held != nullptr);
        CHECK_FALSE(s.files.Exists(s.At("busy.exe").c_str()));
        CHECK_FALSE(s.files.Move(s.At("busy.exe").c_str(), s.At("aside\\busy.exe").c_str()));
        CHECK_FALSE(s.files.CopyNoOverwrite(s.At("busy.exe").c_str(), s.At("copy.exe").c_str()));
        CHECK_FALSE(s.files.Delete(s.At("busy.exe").c_str()));
        CHECK(s.Attributes("busy.exe") != kInvalidAttributes);
    }
    CHECK(s.files.Exists(s.At("busy.exe").c_str()));
    CHECK(s.files.Move(s.At("busy.exe").c_str(), s.At("aside\\busy.exe").c_str()));
    CHECK(s.Read("aside\\busy.exe") == "running");
}

TEST_CASE("a listing yields '.' and '..' first, then every entry once with its case kept") {
    Scratch s;
    s.Write("Zeta.lnk", "z");
    s.Write("alpha.LNK", "a");
    REQUIRE(s.files.CreateFolder(s.At("Sub Folder").c_str()));
    std::vector<std::string> names = List(s.files, s.folder);
    REQUIRE(names.size() == 5);
    CHECK(names[0] == ".");
    CHECK(names[1] == "..");
    CHECK(std::multiset<std::string>(names.begin() + 2, names.end()) ==
          std::multiset<std::string>{"Sub Folder", "Zeta.lnk", "alpha.LNK"});

    platform::FindEntry entry;
    auto listing = s.files.FindFirst((s.folder + "\\*.*").c_str(), entry);
    REQUIRE(listing != nullptr);
    do {
        bool folder = std::string(entry.name) == "Sub Folder" || entry.name[0] == '.';
        CHECK(entry.IsFolder() == folder);
    } while (listing->Next(entry));
    CHECK(List(s.files, s.At("Sub Folder")) == std::vector<std::string>{".", ".."});
}

TEST_CASE("names that differ only in case name the same entry") {
    Scratch s;
    s.Write("MixedCase.lnk", "m");
    CHECK(s.files.Exists(s.At("MIXEDCASE.LNK").c_str()));
    CHECK(s.Attributes("mixedcase.lnk") != kInvalidAttributes);
    CHECK_FALSE(Backend().WriteFile(s.At("mixedcase.LNK"), "other"));
    CHECK_FALSE(s.files.CreateFolder(s.At("MIXEDCASE.lnk").c_str()));
    REQUIRE(s.files.CreateFolder(s.At("Aside").c_str()));
    CHECK_FALSE(s.files.CreateFolder(s.At("ASIDE").c_str()));
    CHECK(s.files.Move(s.At("mixedcase.lnk").c_str(), s.At("aside\\MixedCase.lnk").c_str()));
    CHECK(List(s.files, s.At("Aside")) == std::vector<std::string>{".", "..", "MixedCase.lnk"});
}

TEST_CASE("folders: created once, removed only when empty") {
    Scratch s;
    CHECK(s.files.CreateFolder(s.At("new").c_str()));
    CHECK_FALSE(s.files.CreateFolder(s.At("new").c_str()));
    CHECK_FALSE(s.files.CreateFolder(s.At("no\\such").c_str()));
    REQUIRE(Backend().WriteFile(s.At("new\\f.lnk"), "f"));
    CHECK_FALSE(s.files.RemoveFolder(s.At("new").c_str()));
    CHECK(s.Read("new\\f.lnk") == "f");
    CHECK(s.files.Delete(s.At("new\\f.lnk").c_str()));
    CHECK(s.files.RemoveFolder(s.At("new").c_str()));
    CHECK_FALSE(s.files.RemoveFolder(s.At("new").c_str()));
    CHECK((s.files.GetAttributes(s.folder.c_str()) & platform::kAttributeFolder) != 0);
    CHECK_FALSE(s.files.Exists(s.folder.c_str()));
}

TEST_CASE("drive types, system facts and path forms") {
    Scratch s;
    platform::FileSystem& files = s.files;
    CHECK(files.DriveTypeOf((s.folder.substr(0, 3)).c_str()) == platform::DRIVE_TYPE_FIXED);

    char buffer[platform::kMaxPathBytes];
    CHECK(files.SystemFolder(buffer, sizeof(buffer)) > 3);
    CHECK(files.WindowsFolder(buffer, sizeof(buffer)) > 2);
    std::size_t moduleLength = files.ModuleFileName(buffer, sizeof(buffer));
    CHECK(moduleLength > 0);
    CHECK(std::string(buffer) == Backend().OwnModulePath());

    char tiny[4] = {'x', 'x', 'x', 'x'};
    CHECK(files.SystemFolder(tiny, sizeof(tiny)) == 0);
    CHECK(tiny[0] == '\0');
    CHECK(files.ModuleFileName(tiny, sizeof(tiny)) == 0);
    CHECK(tiny[0] == '\0');

    s.Write("long name.lnk", "l");
    std::string dotted = s.At("sub\\..\\.\\long name.lnk");
    CHECK(files.FullPathName(dotted.c_str(), buffer, sizeof(buffer)) ==
          s.At("long name.lnk").size());
    CHECK(std::string(buffer) == s.At("long name.lnk"));
    CHECK(files.LongPathName(s.At("long name.lnk").c_str(), buffer, sizeof(buffer)) > 0);
    CHECK(Folded(buffer) == Folded(s.At("long name.lnk")));
    CHECK(files.LongPathName(s.At("gone.lnk").c_str(), buffer, sizeof(buffer)) == 0);
    CHECK(buffer[0] == '\0');
}

TEST_CASE("the existence test takes only paths that OpenFile can hold") {
    Scratch s;
    std::string name(platform::kMaxExistsPath - s.folder.size(), 'n');
    s.Write(name, "long");
    CHECK(s.files.GetAttributes(s.At(name).c_str()) != kInvalidAttributes);
    CHECK_FALSE(s.files.Exists(s.At(name).c_str()));
    std::string shorter = name.substr(0, name.size() - 2);
    s.Write(shorter, "fits");
    CHECK(s.files.Exists(s.At(shorter).c_str()));
}
