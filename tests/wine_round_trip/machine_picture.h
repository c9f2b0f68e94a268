// The whole of the places a sweep touches on the real machine, as one
// comparable picture: every key, every value's name, type and bytes, every
// file's name, attributes and bytes, every folder. Taken through the
// platform's own calls, apart from the backend under test; on 64-bit Windows
// in the native view, where both views' places have names of their own.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace winetest {

struct PictureEntry {
    enum Kind { kKey, kValue, kFolder, kFile } kind = kKey;
    HKEY root = nullptr;
    std::string key;   // key, or the value's key, below the root, as stored
    std::string name;  // the value's name, as stored
    std::string path;  // folder or file, as listed
    std::string what;  // what compares: type and bytes, attributes and contents
    DWORD type = 0;
    std::string bytes;  // the value's data, to put a value back
};

// Keyed by place. Key paths and value names compare without letter case, as
// Windows names them; a key restored under a path formed from the driver
// table may come back in another case. File paths keep their case.
using MachinePicture = std::map<std::string, PictureEntry>;

// A key whose values and subkey names are taken, and of its subkeys only
// those the sweep may touch, whole. Every registry call costs a round trip
// to the wine server, which is slow under emulation: the prefix's own keys
// that no sweep reaches are left out this way.
struct ListedKey {
    HKEY root;
    std::string path;
    std::function<bool(const std::string& subkey)> wholeIf;
};

struct PicturePlaces {
    std::vector<std::pair<HKEY, std::string>> keys;  // whole subtrees
    std::vector<ListedKey> listedKeys;
    std::vector<std::string> trees;                   // whole folder trees
    std::vector<std::string> folders;                 // entries of the folder itself only
};

MachinePicture TakePicture(const PicturePlaces& places);

struct Difference {
    std::string place;
    std::optional<PictureEntry> before;  // none when new
    std::optional<PictureEntry> after;   // none when gone
};
std::vector<Difference> Differences(const MachinePicture& before, const MachinePicture& after);
std::string Describe(const Difference& difference);
// The first few, one a line, for a failure message.
std::string Listed(const std::vector<Difference>& differences);

// Undoes every difference of the places from `pristine`: new keys, values,
// files and folders go, changed and missing values are written back. Files
// that were there are never touched. Answers what still differs.
std::vector<Difference> ResetTo(const MachinePicture& pristine, const PicturePlaces& places);

std::string RootName(HKEY root);
std::string Lower(std::string text);

}  // namespace winetest
