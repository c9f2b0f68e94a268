// Machine descriptions and their text forms for the emulated machine.
#include "tests/machines/machine_description.h"

#include <cctype>
#include <cstdio>

namespace test {
namespace {

std::string RootName(platform::RegRoot root) {
    return root == platform::RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Every value as hex(type): the one form that gives any bytes back.
std::string HexData(platform::ValueType type, const std::string& data) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(type));
    std::string out = buffer;
    for (std::size_t i = 0; i < data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : ",%02x",
                      static_cast<unsigned char>(data[i]));
        out += buffer;
    }
    return out;
}

// Manifest contents: blanks, '%', control bytes and bytes from 0x7F up as %XX.
std::string Escaped(const std::string& text) {
    std::string out;
    char buffer[4];
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 0x7F || c == '%') {
            std::snprintf(buffer, sizeof buffer, "%%%02X", byte);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out;
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

void MachineDescription::Key(platform::RegRoot root, const std::string& key) {
    registry_.push_back({root, key, false, "", platform::kRegNone, ""});
}

void MachineDescription::Value(platform::RegRoot root, const std::string& key,
                               const std::string& name, platform::ValueType type,
                               const std::string& data) {
    registry_.push_back({root, key, true, name, type, data});
}

void MachineDescription::File(const std::string& path, const std::string& attributes,
                              const std::string& contents) {
    for (FileItem& file : files_) {
        if (!file.isFolder && SamePath(file.path, path)) {
            file = {path, false, attributes, contents};
            return;
        }
    }
    files_.push_back({path, false, attributes, contents});
}

void MachineDescription::Folder(const std::string& path, const std::string& attributes) {
    files_.push_back({path, true, attributes, ""});
}

std::string MachineDescription::RegText() const {
    std::string out;
    for (const RegistryItem& item : registry_) {
        out += "\r\n[" + RootName(item.root) + "\\" + item.key + "]\r\n";
        if (item.isValue) out += Quoted(item.name) + "=" + HexData(item.type, item.data) + "\r\n";
    }
    return out;
}

std::string MachineDescription::Manifest() const {
    std::string out;
    for (const FileItem& file : files_) {
        out += file.isFolder ? "folder " + file.attributes + " " + file.path + "\n"
                             : "file " + file.attributes + " shut =" + Escaped(file.contents) +
                                   " " + file.path + "\n";
    }
    return out;
}

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

std::string Dword(unsigned long number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
    return bytes;
}

}  // namespace test
