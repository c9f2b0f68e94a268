// Removes a scratch folder of a Windows-side test with everything in it,
// read-only entries included. Best effort: a test cleans up, it never fails here.
#pragma once

#include <string>

namespace winetest {

void RemoveTree(const std::string& folder);

}  // namespace winetest
