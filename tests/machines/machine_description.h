// A machine to sweep, as plain data: registry keys and values, files and
// folders. The host loads it into the emulated machine (as REGEDIT4 text and a
// file manifest); the Windows build writes it into a real registry and drive
// through the platform's own calls. Both sweep the same machines that way.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace test {

struct RegistryItem {
    platform::RegRoot root;
    std::string key;  // below the root
    bool isValue = false;
    std::string name;
    platform::ValueType type = platform::kRegNone;
    std::string data;  // the stored bytes, terminators included
};

struct FileItem {
    std::string path;
    bool isFolder = false;
    std::string attributes;  // letters of RHSA, or "-"
    std::string contents;
};

class MachineDescription {
  public:
    void Key(platform::RegRoot root, const std::string& key);
    void Value(platform::RegRoot root, const std::string& key, const std::string& name,
               platform::ValueType type, const std::string& data);
    // A later file of the same path replaces the earlier one.
    void File(const std::string& path, const std::string& attributes, const std::string& contents);
    void Folder(const std::string& path, const std::string& attributes = "-");

    const std::vector<RegistryItem>& Registry() const { return registry_; }
    const std::vector<FileItem>& Files() const { return files_; }

    // REGEDIT4 text without its first line, and the file manifest, for the
    // emulated machine.
    std::string RegText() const;
    std::string Manifest() const;

  private:
    std::vector<RegistryItem> registry_;
    std::vector<FileItem> files_;
};

// A string value's bytes: the text and its terminator.
std::string Sz(const std::string& text);
// A dword's four bytes, low byte first.
std::string Dword(unsigned long number);

}  // namespace test
