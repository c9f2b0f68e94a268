// The emulated machine's registry as REGEDIT4 text, the format regedit exports:
// strings in quotes with \\ and \" escaped, dword:, hex: for binary data and
// hex(n): for every other type, long hex lines continued with a backslash.
#include <cstdio>
#include <optional>

#include "platform/emulated/emulated_registry.h"

namespace platform::emulated {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::size_t kHexLineWidth = 76;

// A REG_SZ is written as a quoted string only when that gives its bytes back.
bool IsPlainString(const RegValue& value) {
    if (value.type != kRegSz || value.data.empty() || value.data.back() != 0) return false;
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        std::uint8_t c = value.data[i];
        if (c == 0 || c == '\r' || c == '\n') return false;
    }
    return true;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

void AppendValue(std::string& out, const RegValue& value) {
    std::size_t lineStart = out.size();
    if (value.name.empty()) {
        out += '@';
    } else {
        AppendQuoted(out, value.name);
    }
    out += '=';
    char buffer[16];
    if (IsPlainString(value)) {
        AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                           value.data.size() - 1));
    } else if (value.type == kRegDword && value.data.size() == 4) {
        std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                               (static_cast<std::uint32_t>(value.data[3]) << 24);
        std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(number));
        out += buffer;
    } else {
        if (value.type == kRegBinary) {
            out += "hex:";
        } else {
            std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.type));
            out += buffer;
        }
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            std::snprintf(buffer, sizeof buffer, "%02x", value.data[i]);
            out += buffer;
            if (i + 1 < value.data.size()) {
                out += ',';
                if (out.size() - lineStart > kHexLineWidth) {
                    out += "\\\r\n  ";
                    lineStart = out.size() - 2;
                }
            }
        }
    }
    out += "\r\n";
}

void AppendKey(std::string& out, const RegNode& node, bool isRoot) {
    if (!isRoot || !node.values.empty()) {
        out += '[' + node.FullPath() + "]\r\n";
        for (const RegValue& value : node.values) AppendValue(out, value);
        out += "\r\n";
    }
    for (const auto& child : node.children) AppendKey(out, *child, false);
}

// Reads a quoted string at the front of `text`, undoing the escapes.
std::optional<std::string> TakeQuoted(std::string_view& text) {
    if (text.empty() || text.front() != '"') return std::nullopt;
    std::string result;
    for (std::size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            result += text[++i];
        } else if (c == '"') {
            text.remove_prefix(i + 1);
            return result;
        } else {
            result += c;
        }
    }
    return std::nullopt;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        if (i + 1 >= text.size()) return std::nullopt;
        int high = HexDigit(text[i]);
        int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        i += 2;
        skipBlanks();
        if (i == text.size()) break;
        if (text[i] != ',') return std::nullopt;
        ++i;
        skipBlanks();
    }
    return bytes;
}

// Parses the text after '=' into a type and bytes, or "-" into `remove`.
bool ParseData(std::string_view text, bool& remove, ValueType& type,
               std::vector<std::uint8_t>& data) {
    remove = false;
    if (text == "-") {
        remove = true;
        return true;
    }
    if (!text.empty() && text.front() == '"') {
        std::optional<std::string> body = TakeQuoted(text);
        if (!body || !text.empty()) return false;
        type = kRegSz;
        data.assign(body->begin(), body->end());
        data.push_back(0);
        return true;
    }
    if (text.substr(0, 6) == "dword:") {
        std::string_view digits = text.substr(6);
        if (digits.size() != 8) return false;
        std::uint32_t number = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0) return false;
            number = number * 16 + static_cast<std::uint32_t>(HexDigit(c));
        }
        type = kRegDword;
        data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
        return true;
    }
    if (text.substr(0, 4) == "hex:") {
        type = kRegBinary;
        text.remove_prefix(4);
    } else if (text.substr(0, 4) == "hex(") {
        std::size_t close = text.find("):");
        if (close == std::string_view::npos || close == 4) return false;
        std::string_view digits = text.substr(4, close - 4);
        if (digits.size() > 8) return false;
        type = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0) return false;
            type = type * 16 + static_cast<ValueType>(HexDigit(c));
        }
        text.remove_prefix(close + 2);
    } else {
        return false;
    }
    std::optional<std::vector<std::uint8_t>> bytes = ParseHexBytes(text);
    if (!bytes) return false;
    data = std::move(*bytes);
    return true;
}

// Splits the text into logical lines: CR LF or LF ends a line, and a line that
// ends in a backslash outside quotes goes on in the next one.
std::vector<std::string> LogicalLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    bool continuing = false;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (continuing) {
            while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
                line.remove_prefix(1);
            }
        }
        current += line;
        continuing = !current.empty() && current.back() == '\\' && current.front() != '[';
        if (continuing) {
            current.pop_back();
        } else {
            lines.push_back(std::move(current));
            current.clear();
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

bool SplitRoot(std::string_view fullPath, RegRoot& root, std::string& rest) {
    std::size_t cut = fullPath.find('\\');
    std::string_view rootName = fullPath.substr(0, cut);
    if (NamesEqual(rootName, "HKEY_LOCAL_MACHINE")) {
        root = RegRoot::LocalMachine;
    } else if (NamesEqual(rootName, "HKEY_CURRENT_USER")) {
        root = RegRoot::CurrentUser;
    } else {
        return false;
    }
    rest = cut == std::string_view::npos ? std::string() : std::string(fullPath.substr(cut + 1));
    return true;
}

}  // namespace

std::string EmulatedRegistry::SaveRegFile() const {
    std::string out(kHeader);
    out += "\r\n\r\n";
    AppendKey(out, *machine_, true);
    AppendKey(out, *user_, true);
    return out;
}

bool EmulatedRegistry::LoadRegFile(std::string_view text) {
    std::vector<std::string> lines = LogicalLines(text);
    std::size_t i = 0;
    while (i < lines.size() && lines[i].empty()) ++i;
    if (i == lines.size() || lines[i] != kHeader) return false;
    std::shared_ptr<RegNode> current;
    for (++i; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']') return false;
            line = line.substr(1, line.size() - 2);
            bool removeKey = !line.empty() && line.front() == '-';
            if (removeKey) line.remove_prefix(1);
            RegRoot root;
            std::string rest;
            if (!SplitRoot(line, root, rest)) return false;
            current.reset();
            if (removeKey) {
                if (std::shared_ptr<RegNode> node = Find(root, rest.c_str())) {
                    if (node->parent != nullptr) node->parent->RemoveChild(*node);
                }
                continue;
            }
            current = root == RegRoot::LocalMachine ? machine_ : user_;
            for (std::string_view part : Resolve(root, rest.c_str())) {
                RegNode* next = current->FindChild(part);
                if (next == nullptr) next = &current->AddChild(part);
                for (const auto& child : current->children) {
                    if (child.get() == next) current = child;
                }
            }
            continue;
        }
        if (!current) return false;
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            std::optional<std::string> quoted = TakeQuoted(line);
            if (!quoted) return false;
            name = std::move(*quoted);
        }
        if (line.empty() || line.front() != '=') return false;
        line.remove_prefix(1);
        bool remove = false;
        ValueType type = kRegNone;
        std::vector<std::uint8_t> data;
        if (!ParseData(line, remove, type, data)) return false;
        if (remove) {
            current->RemoveValue(name);
        } else {
            current->PutValue(name, type, data.data(), static_cast<std::uint32_t>(data.size()));
        }
    }
    return true;
}

RegResult EmulatedRegistry::WriteHive(const char* path, const std::string& content, HiveWrite how) {
    if (hiveWriter_) return hiveWriter_(path, content, how);
    if (how == HiveWrite::Create) {
        if (HiveFile(path) != nullptr) return kErrorAlreadyExists;
        hiveFiles_.emplace_back(path, content);
        return kErrorSuccess;
    }
    for (auto& [name, stored] : hiveFiles_) {
        if (NamesEqual(name, path)) stored = content;
    }
    return kErrorSuccess;
}

RegResult EmulatedRegistry::SaveKey(const RegKey& key, const char* filePath) {
    if (RegResult fault = Begin(RegOp::SaveKey)) return fault;
    OpenKeyEntry* entry = nullptr;
    if (RegResult result = Lookup(key, 0, entry)) return result;
    if (filePath == nullptr || *filePath == '\0') return kErrorInvalidParameter;
    // The 9x family knows no privileges and saves the key. On the NT family
    // saving needs the backup privilege, which no caller here enables: the
    // platform refuses the save as not held, after making the file, which
    // stays behind empty (seen under Wine). A name already taken fails as
    // taken either way.
    if (!Step()) return kCutOffResult;
    if (RegResult made = WriteHive(filePath, {}, HiveWrite::Create)) return made;
    if (IsNt()) return kErrorPrivilegeNotHeld;
    std::string content(kHeader);
    content += "\r\n\r\n";
    AppendKey(content, *entry->node, false);
    // Written in two halves, so that a cut can leave the file part-written.
    if (!Step()) return kCutOffResult;
    WriteHive(filePath, content.substr(0, content.size() / 2), HiveWrite::Fill);
    if (!Step()) return kCutOffResult;
    return WriteHive(filePath, content, HiveWrite::Fill);
}

}  // namespace platform::emulated
