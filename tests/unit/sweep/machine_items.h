// Everything a machine holds, as comparable items, and the places a sweep may
// have put each one aside: what the whole-sweep tests compare before and after.
#pragma once

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/unit/sweep/sweep_machine.h"

namespace test {

inline const std::string kUserStartup = "C:\\Documents\\User\\Start Menu\\StartUp";
inline const std::string kCommonStartup = "C:\\Documents\\All Users\\Start Menu\\StartUp";

// One thing of the machine: where it is (lower case) and what it is.
struct Item {
    std::string place;
    std::string what;
    bool operator<(const Item& other) const {
        return std::tie(place, what) < std::tie(other.place, other.what);
    }
};

std::string Lower(std::string text);
std::string NameOf(const std::string& path);
bool IsEngineLibrary(const std::string& name);

// Keys, values (type and bytes), files (attributes, state and contents) and
// folders of the machine.
std::set<Item> Items(const SweepMachine& m);

// What of `before` is found at none of its places in `after`: its own, the
// twin key, OldRun, OldSharedDLLs, the sibling of a Startup folder, the
// "Dravolin" folder beside it, and for an engine library the system folder.
std::vector<std::string> Lost(const std::set<Item>& before, const std::set<Item>& after,
                              const std::string& systemFolder,
                              const std::vector<std::string>& startupFolders = {kUserStartup,
                                                                                kCommonStartup});

// The first few lines, for a failure message.
std::string Listed(const std::vector<std::string>& lines);

}  // namespace test
