// Scratch places and file pictures for the file-stage tests on real Windows.
#pragma once

#include <string>

#include "tests/wine/remove_tree.h"  // RemoveTree, for the scratch folders

namespace winetest {

// Writes a new file with the contents and attributes.
bool WriteFile(const std::string& path, const std::string& contents, unsigned long attributes);
// Every entry below `folder`, sorted, as "relative=contents/attributes" lines
// (folders end in "\"); "<none>" when the folder is missing.
std::string Picture(const std::string& folder);
// The folder this test program lies in, with a trailing backslash.
std::string OwnFolder();

}  // namespace winetest
