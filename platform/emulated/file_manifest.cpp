// Reads and writes the file and desktop manifest of an emulated machine.
#include "platform/emulated/file_manifest.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform::emulated {
namespace {

struct DriveTypeName {
    DriveType type;
    const char* name;
};
constexpr DriveTypeName kDriveTypeNames[] = {
    {DRIVE_TYPE_FIXED, "fixed"},     {DRIVE_TYPE_REMOVABLE, "removable"},
    {DRIVE_TYPE_REMOTE, "remote"},   {DRIVE_TYPE_CDROM, "cdrom"},
    {DRIVE_TYPE_RAMDISK, "ramdisk"}, {DRIVE_TYPE_UNKNOWN, "unknown"},
};

struct AttributeLetter {
    std::uint32_t bit;
    char letter;
};
constexpr AttributeLetter kAttributeLetters[] = {
    {kAttributeReadOnly, 'R'},
    {kAttributeHidden, 'H'},
    {kAttributeSystem, 'S'},
    {kAttributeArchive, 'A'},
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Escape(std::string_view text) {
    std::string out = "=";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || c == '%') {
            out += '%';
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool Unescape(std::string_view field, std::string& out) {
    if (field.empty() || field[0] != '=') return false;
    out.clear();
    for (std::size_t i = 1; i < field.size(); ++i) {
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size()) return false;
        int high = HexValue(field[i + 1]), low = HexValue(field[i + 2]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::string AttributeField(std::uint32_t attributes) {
    std::string out;
    for (const AttributeLetter& a : kAttributeLetters)
        if (attributes & a.bit) out += a.letter;
    return out.empty() ? "-" : out;
}

bool ParseAttributes(std::string_view field, std::uint32_t& attributes) {
    attributes = 0;
    if (field == "-") return true;
    for (char c : field) {
        bool known = false;
        for (const AttributeLetter& a : kAttributeLetters)
            if (a.letter == c) attributes |= a.bit, known = true;
        if (!known) return false;
    }
    return !field.empty();
}

// Takes the next blank-separated field off the front of `rest`.
std::string_view TakeField(std::string_view& rest) {
    std::size_t blank = rest.find(' ');
    std::string_view field = rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    return field;
}

// Control bytes name no file on Windows, and a path is written unescaped, so
// one of them (a carriage return at the end above all) would not load back.
bool IsPath(std::string_view path) {
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

bool ParseLine(std::string_view line, EmulatedFileSystem& files, EmulatedDesktop& desktop) {
    std::string_view rest = line;
    std::string_view keyword = TakeField(rest);
    if (keyword != "window" && !IsPath(rest)) return false;
    if (keyword == "drive") {
        std::string_view letter = TakeField(rest);
        if (letter.size() != 1) return false;
        for (const DriveTypeName& t : kDriveTypeNames) {
            if (rest == t.name) {
                files.AddDrive(letter[0], t.type);
                return true;
            }
        }
        return false;
    }
    if (keyword == "windows-folder") return files.SetWindowsFolder(std::string(rest)), true;
    if (keyword == "system-folder") return files.SetSystemFolder(std::string(rest)), true;
    if (keyword == "module-file") return files.SetModuleFile(std::string(rest)), true;
    if (keyword == "current-folder") return files.SetCurrentFolder(std::string(rest)), true;
    if (keyword == "names-foreign-windows") {
        if (rest != "yes" && rest != "no") return false;
        desktop.SetNamesForeignWindows(rest == "yes");
        return true;
    }
    if (keyword == "folder") {
        std::uint32_t attributes = 0;
        return ParseAttributes(TakeField(rest), attributes) && files.AddFolder(rest, attributes);
    }
    if (keyword == "file") {
        std::uint32_t attributes = 0;
        if (!ParseAttributes(TakeField(rest), attributes)) return false;
        std::string_view open = TakeField(rest);
        if (open != "open" && open != "shut") return false;
        std::string contents;
        if (!Unescape(TakeField(rest), contents)) return false;
        return files.AddFile(rest, contents, attributes) &&
               (open == "shut" || files.SetHeldOpen(rest, true));
    }
    if (keyword == "window") {
        EmulatedWindow window;
        std::string_view kind = TakeField(rest), owner = TakeField(rest);
        if ((kind != "top" && kind != "child") || (owner != "own" && owner != "foreign"))
            return false;
        window.child = kind == "child";
        window.ownProcess = owner == "own";
        std::string parent(TakeField(rest));
        char* end = nullptr;
        unsigned long number = std::strtoul(parent.c_str(), &end, 10);
        if (parent.empty() || *end != '\0') return false;
        window.parent = WindowId(number);
        if (!Unescape(TakeField(rest), window.modulePath) ||
            !Unescape(TakeField(rest), window.processImage) || !Unescape(rest, window.text))
            return false;
        desktop.AddWindow(std::move(window));
        return true;
    }
    return false;
}

void SaveTree(const FileNode& folder, const std::string& path, std::string& out) {
    for (const auto& child : folder.children) {
        std::string childPath = path + "\\" + child->name;
        if (child->folder) {
            out += "folder " + AttributeField(child->attributes) + " " + childPath + "\n";
            SaveTree(*child, childPath, out);
        } else {
            out += "file " + AttributeField(child->attributes) + " " +
                   (child->heldOpen ? "open " : "shut ") + Escape(child->contents) + " " +
                   childPath + "\n";
        }
    }
}

}  // namespace

bool LoadFileManifest(std::string_view text, EmulatedFileSystem& files, EmulatedDesktop& desktop,
                      std::string& error) {
    std::size_t number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        if (!ParseLine(line, files, desktop)) {
            error = "line " + std::to_string(number) + ": " + std::string(line);
            return false;
        }
    }
    return true;
}

std::string SaveFileManifest(const EmulatedFileSystem& files, const EmulatedDesktop& desktop) {
    std::string out;
    for (const EmulatedDrive& drive : files.Drives()) {
        const char* type = "unknown";
        for (const DriveTypeName& t : kDriveTypeNames)
            if (t.type == drive.type) type = t.name;
        out += std::string("drive ") + drive.letter + " " + type + "\n";
    }
    out += "windows-folder " + files.WindowsFolderPath() + "\n";
    out += "system-folder " + files.SystemFolderPath() + "\n";
    out += "module-file " + files.ModuleFilePath() + "\n";
    out += "current-folder " + files.CurrentFolderPath() + "\n";
    out += std::string("names-foreign-windows ") + (desktop.NamesForeignWindows() ? "yes" : "no") +
           "\n";
    for (const EmulatedDrive& drive : files.Drives())
        SaveTree(*drive.root, std::string(1, drive.letter) + ":", out);
    for (const EmulatedWindow& window : desktop.Windows()) {
        out += std::string("window ") + (window.child ? "child " : "top ") +
               (window.ownProcess ? "own " : "foreign ") + std::to_string(window.parent.Value()) +
               " " + Escape(window.modulePath) + " " + Escape(window.processImage) + " " +
               Escape(window.text) + "\n";
    }
    return out;
}

}  // namespace platform::emulated
