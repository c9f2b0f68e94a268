// Machine items and their put-aside places.
#include "tests/unit/sweep/machine_items.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string_view>

#include "platform/emulated/file_manifest.h"
#include "sweep/conflict_catalogue.h"

namespace test {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string NameOf(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

bool IsEngineLibrary(const std::string& name) {
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    for (const char* const* library = sweep::EngineLibraries; *library; ++library) {
        const std::string_view engine = *library;
        if (std::equal(name.begin(), name.end(), engine.begin(), engine.end(), sameLetter)) return true;
    }
    return false;
}

std::set<Item> Items(const SweepMachine& m) {
    std::set<Item> items;
    for (const std::string& key : m.registry.Keys()) items.insert({Lower(key), "key"});
    for (const auto& [key, value] : m.registry.Values()) {
        std::string bytes = "value " + std::to_string(value.type) + ":";
        for (std::uint8_t byte : value.data) bytes += std::to_string(byte) + ",";
        items.insert({Lower(key) + "\\\\" + Lower(value.name), bytes});
    }
    std::istringstream manifest(platform::emulated::SaveFileManifest(m.files, m.desktop));
    for (std::string line; std::getline(manifest, line);) {
        std::istringstream fields(line);
        std::string kind, attributes, state, contents;
        fields >> kind >> attributes;
        if (kind == "file") fields >> state >> contents;
        if (kind != "file" && kind != "folder") continue;
        std::string path;
        std::getline(fields >> std::ws, path);
        items.insert({Lower(path), kind + " " + attributes + " " + state + " " + contents});
    }
    return items;
}

namespace {

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('\\'));
}

// The places where a sweep may have put a thing aside, the thing's own first.
std::vector<std::string> PlacesOf(const std::string& place, const std::string& system,
                                  const std::vector<std::string>& startupFolders) {
    std::vector<std::string> places{place};
    const std::string hklm = "hkey_local_machine\\system\\";
    if (place.rfind(hklm, 0) == 0) {
        // System\<set>\K is put aside in System\<set>\OldK.
        const auto setEnd = place.find('\\', hklm.size());
        if (setEnd != std::string::npos) {
            places.push_back(place.substr(0, setEnd + 1) + "old" + place.substr(setEnd + 1));
        }
    }
    for (const auto& [live, aside] : {std::pair<std::string, std::string>{"\\run\\\\", "\\oldrun\\\\"},
                                      {"\\shareddlls\\\\", "\\oldshareddlls\\\\"}}) {
        const auto at = place.find(live);
        if (at != std::string::npos) {
            places.push_back(place.substr(0, at) + aside + place.substr(at + live.size()));
        }
    }
    for (const std::string& startup : startupFolders) {
        const std::string folder = Lower(startup);
        if (place.rfind(folder + "\\", 0) == 0) {
            places.push_back(folder + "_disabled" + place.substr(folder.size()));
        }
    }
    if (place.rfind("c:\\", 0) == 0) {
        // Driver files and engine libraries go into a "Dravolin" folder below
        // their own; engine libraries into the system folder too.
        places.push_back(FolderOf(place) + "\\dravolin\\" + NameOf(place));
        if (IsEngineLibrary(NameOf(place))) places.push_back(Lower(system) + "\\" + NameOf(place));
    }
    return places;
}

}  // namespace

std::vector<std::string> Lost(const std::set<Item>& before, const std::set<Item>& after,
                              const std::string& system,
                              const std::vector<std::string>& startupFolders) {
    std::vector<std::string> lost;
    for (const Item& item : before) {
        const std::vector<std::string> places = PlacesOf(item.place, system, startupFolders);
        const bool found = std::any_of(places.begin(), places.end(),
                                       [&](const std::string& place) { return after.count({place, item.what}) != 0; });
        if (!found) lost.push_back(item.place + " " + item.what);
    }
    return lost;
}

std::string Listed(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < 5; ++i) text += "\n  " + lines[i];
    return text;
}

}  // namespace test
