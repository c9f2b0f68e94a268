// What a 32-bit program sees of a 64-bit Windows machine, checked the same way
// on the emulated machine and in a 64-bit Wine prefix: which registry keys and
// folders the two views share and which each has of its own, and that copies,
// tree deletes and hive saves stay in the view that made them.
#include <doctest/doctest.h>

#include <string>

#include "tests/contract/two_views_backend.h"

using namespace platform;

namespace {

constexpr const char* kSoftwareScratch = "Software\\DravolinViewsContract";
constexpr const char* kNodeScratch = "Software\\Wow6432Node\\DravolinViewsContract";
constexpr const char* kSystemScratch = "System\\DravolinViewsContract";
constexpr const char* kUserScratch = "Software\\DravolinViewsContract";

contract::TwoViews& Views() {
    contract::TwoViews& views = contract::TwoViewsUnderTest();
    REQUIRE_MESSAGE(views.hasTwoViews, "this machine shows a 32-bit program one view only");
    return views;
}

bool KeyExists(Registry& registry, RegRoot root, const char* path) {
    RegKey key;
    return registry.OpenKey(root, path, kKeyRead, key) == kErrorSuccess;
}

bool HasValue(Registry& registry, RegRoot root, const char* path, const char* name) {
    RegKey key;
    if (registry.OpenKey(root, path, kKeyRead, key) != kErrorSuccess) return false;
    return registry.QueryValue(key, name, nullptr, nullptr, nullptr) == kErrorSuccess;
}

void SetText(Registry& registry, RegRoot root, const char* path, const char* name) {
    RegKey key;
    REQUIRE(registry.CreateKey(root, path, key) == kErrorSuccess);
    REQUIRE(registry.SetValue(key, name, kRegSz, "x", 2) == kErrorSuccess);
}

// Every case starts and ends without its scratch keys, in both views.
struct ScratchKeys {
    contract::TwoViews& views = Views();
    ScratchKeys() { Clear(); }
    ~ScratchKeys() { Clear(); }
    void Clear() {
        for (Registry* registry : {&views.programRegistry, &views.nativeRegistry}) {
            registry->DeleteTree(RegRoot::LocalMachine, kSoftwareScratch);
            registry->DeleteTree(RegRoot::LocalMachine, kSystemScratch);
            registry->DeleteTree(RegRoot::CurrentUser, kUserScratch);
        }
    }
};

// A scratch file name in the system folder, gone from both views before and
// after the case.
struct ScratchFiles {
    contract::TwoViews& views = Views();
    std::string system = views.windowsFolder + "\\system32\\";
    std::string wow64 = views.windowsFolder + "\\SysWOW64\\";
    std::string name = "dravolin-views.tmp";
    ScratchFiles() { Clear(); }
    ~ScratchFiles() { Clear(); }
    void Clear() {
        for (const std::string& folder : {system, wow64}) {
            views.nativeFiles.Delete((folder + name).c_str());
            views.nativeFiles.Delete((folder + "moved.tmp").c_str());
        }
    }
};

}  // namespace

TEST_CASE("HKLM\\Software has a view of each kind; the native one shows the program's below "
          "Wow6432Node") {
    ScratchKeys scratch;
    Registry& program = scratch.views.programRegistry;
    Registry& native = scratch.views.nativeRegistry;

    SetText(program, RegRoot::LocalMachine, kSoftwareScratch, "Program");
    CHECK(HasValue(native, RegRoot::LocalMachine, kNodeScratch, "Program"));
    CHECK_FALSE(KeyExists(native, RegRoot::LocalMachine, kSoftwareScratch));

    SetText(native, RegRoot::LocalMachine, kSoftwareScratch, "Native");
    CHECK_FALSE(HasValue(program, RegRoot::LocalMachine, kSoftwareScratch, "Native"));
    CHECK(HasValue(program, RegRoot::LocalMachine, kSoftwareScratch, "Program"));
    // A path that names the node already is taken as it is.
    CHECK(HasValue(program, RegRoot::LocalMachine, kNodeScratch, "Program"));
}

TEST_CASE("HKLM\\System and the user's Software are one key in both views") {
    ScratchKeys scratch;
    Registry& program = scratch.views.programRegistry;
    Registry& native = scratch.views.nativeRegistry;

    SetText(native, RegRoot::LocalMachine, kSystemScratch, "Native");
    CHECK(HasValue(program, RegRoot::LocalMachine, kSystemScratch, "Native"));
    SetText(program, RegRoot::CurrentUser, kUserScratch, "Program");
    CHECK(HasValue(native, RegRoot::CurrentUser, kUserScratch, "Program"));
}

TEST_CASE("copies, tree deletes and value deletes of the native view stay in it") {
    ScratchKeys scratch;
    Registry& program = scratch.views.programRegistry;
    Registry& native = scratch.views.nativeRegistry;
    const std::string tree = std::string(kSoftwareScratch) + "\\Tree";
    const std::string sub = tree + "\\Sub";
    const std::string copy = std::string(kSoftwareScratch) + "\\Copy";

    for (Registry* registry : {&program, &native}) {
        SetText(*registry, RegRoot::LocalMachine, sub.c_str(), "Deep");
        SetText(*registry, RegRoot::LocalMachine, tree.c_str(), "Top");
    }
    {
        RegKey destination;
        REQUIRE(native.CreateKey(RegRoot::LocalMachine, copy.c_str(), destination) == kErrorSuccess);
        REQUIRE(native.CopyTree(RegRoot::LocalMachine, tree.c_str(), destination) == kErrorSuccess);
    }
    CHECK(HasValue(native, RegRoot::LocalMachine, (copy + "\\Sub").c_str(), "Deep"));
    CHECK_FALSE(KeyExists(program, RegRoot::LocalMachine, copy.c_str()));

    CHECK(native.DeleteValueAt(RegRoot::LocalMachine, tree.c_str(), "Top") == kErrorSuccess);
    CHECK(HasValue(program, RegRoot::LocalMachine, tree.c_str(), "Top"));

    CHECK(native.DeleteTree(RegRoot::LocalMachine, tree.c_str()) == kErrorSuccess);
    CHECK_FALSE(KeyExists(native, RegRoot::LocalMachine, tree.c_str()));
    CHECK(HasValue(program, RegRoot::LocalMachine, sub.c_str(), "Deep"));

    CHECK(program.DeleteTree(RegRoot::LocalMachine, tree.c_str()) == kErrorSuccess);
    CHECK_FALSE(KeyExists(program, RegRoot::LocalMachine, tree.c_str()));
    CHECK(HasValue(native, RegRoot::LocalMachine, (copy + "\\Sub").c_str(), "Deep"));
}

TEST_CASE("the program's system32 is SysWOW64; both views name the system folder alike") {
    ScratchFiles scratch;
    FileSystem& program = scratch.views.programFiles;
    FileSystem& native = scratch.views.nativeFiles;
    const std::string inSystem = scratch.system + scratch.name;

    char programFolder[kMaxPathBytes];
    char nativeFolder[kMaxPathBytes];
    REQUIRE(program.SystemFolder(programFolder, sizeof programFolder) != 0);
    REQUIRE(native.SystemFolder(nativeFolder, sizeof nativeFolder) != 0);
    CHECK(std::string(programFolder) == nativeFolder);

    REQUIRE(native.CopyNoOverwrite(contract::NewSourceFile().c_str(), inSystem.c_str()));
    CHECK(native.Exists(inSystem.c_str()));
    CHECK_FALSE(program.Exists(inSystem.c_str()));
    CHECK(program.GetAttributes(inSystem.c_str()) == kInvalidAttributes);

    REQUIRE(program.CopyNoOverwrite(contract::NewSourceFile().c_str(), inSystem.c_str()));
    CHECK(native.Exists((scratch.wow64 + scratch.name).c_str()));
    // A move within the view, then a delete, leave the other view's copy.
    CHECK(program.Move(inSystem.c_str(), (scratch.system + "moved.tmp").c_str()));
    CHECK(native.Exists((scratch.wow64 + "moved.tmp").c_str()));
    CHECK(native.Exists(inSystem.c_str()));
    CHECK(native.Delete(inSystem.c_str()));
    CHECK(program.Exists((scratch.system + "moved.tmp").c_str()));

    // The hosts folder is one folder in both views.
    const std::string etc = scratch.system + "drivers\\etc";
    CHECK(program.GetAttributes(etc.c_str()) != kInvalidAttributes);
    CHECK(native.GetAttributes(etc.c_str()) != kInvalidAttributes);
}

TEST_CASE("a hive saved in a view lies in that view's system folder") {
    ScratchKeys keys;
    ScratchFiles scratch;
    const std::string hive = scratch.system + scratch.name;

    for (Registry* registry : {&keys.views.programRegistry, &keys.views.nativeRegistry}) {
        SetText(*registry, RegRoot::LocalMachine, kSoftwareScratch, "Saved");
    }
    {
        RegKey key;
        REQUIRE(keys.views.nativeRegistry.OpenKey(RegRoot::LocalMachine, kSoftwareScratch,
                                                  kKeyRead, key) == kErrorSuccess);
        keys.views.nativeRegistry.SaveKey(key, hive.c_str());
    }
    CHECK(keys.views.nativeFiles.Exists(hive.c_str()));
    CHECK_FALSE(keys.views.programFiles.Exists(hive.c_str()));
    {
        RegKey key;
        REQUIRE(keys.views.programRegistry.OpenKey(RegRoot::LocalMachine, kSoftwareScratch,
                                                   kKeyRead, key) == kErrorSuccess);
        keys.views.programRegistry.SaveKey(key, hive.c_str());
    }
    CHECK(keys.views.programFiles.Exists(hive.c_str()));
    CHECK(keys.views.nativeFiles.Exists((scratch.wow64 + scratch.name).c_str()));
}
