// The two-views suite's backend on the host: an emulated 64-bit NT machine
// and the program's view over it.
#include <string>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_registry.h"
#include "platform/emulated/wow64_views.h"
#include "tests/contract/two_views_backend.h"

namespace contract {
namespace {

using platform::emulated::EmulatedRegistry;
using HiveWrite = EmulatedRegistry::HiveWrite;

struct EmulatedTwoViews {
    platform::emulated::EmulatedFileSystem files;
    EmulatedRegistry registry{platform::PLATFORM_NT};
    platform::emulated::Wow64FileView programFiles{files};
    platform::emulated::Wow64RegistryView programRegistry{registry, programFiles};
    TwoViews views{programRegistry, programFiles, registry, files, "C:\\WINDOWS", true};

    EmulatedTwoViews() {
        files.AddDrive('C', platform::DRIVE_TYPE_FIXED);
        files.SetWindowsFolder("C:\\WINDOWS");
        files.SetSystemFolder("C:\\WINDOWS\\system32");
        files.AddFolder("C:\\WINDOWS\\system32\\drivers\\etc");
        files.AddFolder("C:\\WINDOWS\\SysWOW64");
        files.AddFolder("C:\\Temp");
        // Hive files go to the machine's files, under the path they are given.
        registry.SetHiveFileWriter([this](const char* path, const std::string& content,
                                          HiveWrite how) {
            if (how == HiveWrite::Create && files.Find(path) != nullptr) {
                return platform::kErrorAlreadyExists;
            }
            return files.AddFile(path, content) ? platform::kErrorSuccess
                                                : platform::kErrorAccessDenied;
        });
    }
};

}  // namespace

TwoViews& TwoViewsUnderTest() {
    static EmulatedTwoViews machine;
    return machine.views;
}

std::string NewSourceFile() {
    static int count = 0;
    std::string path = "C:\\Temp\\views-source-" + std::to_string(++count) + ".txt";
    TwoViewsUnderTest().nativeFiles.Delete(path.c_str());
    static_cast<platform::emulated::EmulatedFileSystem&>(TwoViewsUnderTest().nativeFiles)
        .AddFile(path, "source");
    return path;
}

}  // namespace contract
