// The emulated file system: a tree per drive, with Windows' failure rules.
#include "platform/emulated/emulated_file_system.h"

#include <algorithm>
#include <cstring>

#include "platform/emulated/copy_text.h"
#include "platform/emulated/name_compare.h"

namespace platform::emulated {
namespace {

constexpr std::uint32_t kStoredAttributes =
    kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive;

// Drives are kept by their capital letter.
char DriveLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Where the next "\" character at or after `start` is, stepping by the code
// page's characters; npos when there is none.
std::size_t FindBackslash(const AnsiText& text, std::string_view path, std::size_t start) {
    for (std::size_t at = start; at < path.size();) {
        if (path[at] == '\\') return at;
        at += at + 1 < path.size() && text.IsLeadByte(static_cast<unsigned char>(path[at])) ? 2 : 1;
    }
    return std::string_view::npos;
}

std::size_t FindLastBackslash(const AnsiText& text, std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t at = FindBackslash(text, path, 0); at != std::string_view::npos;
         at = FindBackslash(text, path, at + 1)) {
        last = at;
    }
    return last;
}

// Splits "C:\a\b" into its drive letter and steps; empty steps (doubled or
// trailing backslashes) are dropped. False when the path is not absolute.
bool SplitPath(const AnsiText& text, std::string_view path, char& letter,
               std::vector<std::string_view>& steps) {
    if (path.size() < 2 || path[1] != ':') return false;
    letter = DriveLetter(path[0]);
    if (letter < 'A' || letter > 'Z') return false;
    if (path.size() > 2 && path[2] != '\\') return false;
    steps.clear();
    std::size_t start = 3;
    while (start < path.size()) {
        std::size_t end = FindBackslash(text, path, start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) steps.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

bool FitsPath(std::string_view path) {
    return path.size() < kMaxPathBytes;
}

// Children stay sorted by NameLess, so a name is found by binary search, as
// a real file system finds it without reading the whole folder.
template <typename Children>
auto FirstNotBefore(Children& children, std::string_view name) {
    return std::lower_bound(children.begin(), children.end(), name,
                            [](const auto& child, std::string_view n) { return NameLess(child->name, n); });
}

void InsertSorted(FileNode& folder, std::unique_ptr<FileNode> node) {
    auto at = std::upper_bound(folder.children.begin(), folder.children.end(), node->name,
                               [](std::string_view n, const auto& child) { return NameLess(n, child->name); });
    folder.children.insert(at, std::move(node));
}

std::unique_ptr<FileNode> Detach(FileNode& folder, const FileNode* node) {
    for (auto it = FirstNotBefore(folder.children, node->name);
         it != folder.children.end() && SameName((*it)->name, node->name); ++it) {
        if (it->get() == node) {
            std::unique_ptr<FileNode> taken = std::move(*it);
            folder.children.erase(it);
            return taken;
        }
    }
    return nullptr;
}

bool HoldsOpenFile(const FileNode& node) {
    if (node.heldOpen) return true;
    for (const auto& child : node.children)
        if (HoldsOpenFile(*child)) return true;
    return false;
}

bool Contains(const FileNode& folder, const FileNode* node) {
    for (const auto& child : folder.children)
        if (child.get() == node || Contains(*child, node)) return true;
    return false;
}

FindEntry EntryOf(std::string_view name, std::uint32_t attributes) {
    FindEntry entry;
    std::size_t length = std::min(name.size(), kMaxPathBytes - 1);
    std::memcpy(entry.name, name.data(), length);
    entry.name[length] = '\0';
    entry.attributes = attributes;
    return entry;
}

std::uint32_t VisibleAttributes(const FileNode& node) {
    if (node.folder) return node.attributes | kAttributeFolder;
    return node.attributes == 0 ? kAttributeNormal : node.attributes;
}

class EmulatedListing : public FindListing {
  public:
    explicit EmulatedListing(std::vector<FindEntry> entries) : entries_(std::move(entries)) {}
    bool Next(FindEntry& entry) override {
        if (next_ >= entries_.size()) return false;
        entry = entries_[next_++];
        return true;
    }

  private:
    std::vector<FindEntry> entries_;
    std::size_t next_ = 1;  // the first went out with FindFirst
};

}  // namespace

FileNode* FileNode::Child(std::string_view childName) const {
    const auto it = FirstNotBefore(children, childName);
    return it != children.end() && SameName((*it)->name, childName) ? it->get() : nullptr;
}

void EmulatedFileSystem::AddDrive(char letter, DriveType type) {
    letter = DriveLetter(letter);
    if (EmulatedDrive* drive = DriveOf(letter)) {
        drive->type = type;
        return;
    }
    EmulatedDrive drive;
    drive.letter = letter;
    drive.type = type;
    drive.root = std::make_unique<FileNode>();
    drive.root->folder = true;
    drives_.push_back(std::move(drive));
    std::sort(drives_.begin(), drives_.end(),
              [](const EmulatedDrive& a, const EmulatedDrive& b) { return a.letter < b.letter; });
}

EmulatedDrive* EmulatedFileSystem::DriveOf(char letter) {
    for (EmulatedDrive& drive : drives_)
        if (drive.letter == DriveLetter(letter)) return &drive;
    return nullptr;
}

bool EmulatedFileSystem::Locate(std::string_view path, Location& where) {
    char letter = 0;
    std::vector<std::string_view> steps;
    if (!FitsPath(path) || !SplitPath(*text_, path, letter, steps)) return false;
    where = Location();
    where.drive = DriveOf(letter);
    if (where.drive == nullptr) return false;
    FileNode* folder = where.drive->root.get();
    if (steps.empty()) {
        where.node = folder;
        return true;
    }
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        folder = folder->Child(steps[i]);
        if (folder == nullptr || !folder->folder) return false;
    }
    where.parent = folder;
    where.leaf = std::string(steps.back());
    where.node = folder->Child(steps.back());
    return true;
}

const FileNode* EmulatedFileSystem::Find(std::string_view path) const {
    Location where;
    if (!const_cast<EmulatedFileSystem*>(this)->Locate(path, where)) return nullptr;
    return where.node;
}

FileNode* EmulatedFileSystem::AddPath(std::string_view path, bool folder) {
    char letter = 0;
    std::vector<std::string_view> steps;
    if (!FitsPath(path) || !SplitPath(*text_, path, letter, steps)) return nullptr;
    EmulatedDrive* drive = DriveOf(letter);
    if (drive == nullptr) return nullptr;
    FileNode* at = drive->root.get();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        bool last = i + 1 == steps.size();
        FileNode* next = at->Child(steps[i]);
        if (next == nullptr) {
            auto node = std::make_unique<FileNode>();
            node->name = std::string(steps[i]);
            node->folder = !last || folder;
            next = node.get();
            InsertSorted(*at, std::move(node));
        } else if (!next->folder && (!last || folder)) {
            return nullptr;
        }
        at = next;
    }
    return at;
}

bool EmulatedFileSystem::AddFolder(std::string_view path, std::uint32_t attributes) {
    FileNode* node = AddPath(path, true);
    if (node == nullptr || !node->folder) return false;
    node->attributes = attributes & kStoredAttributes;
    return true;
}

bool EmulatedFileSystem::AddFile(std::string_view path, std::string_view contents,
                                 std::uint32_t attributes) {
    FileNode* node = AddPath(path, false);
    if (node == nullptr || node->folder) return false;
    node->contents = std::string(contents);
    node->attributes = attributes & kStoredAttributes;
    return true;
}

bool EmulatedFileSystem::SetHeldOpen(std::string_view path, bool heldOpen) {
    Location where;
    if (!Locate(path, where) || where.node == nullptr || where.node->folder) return false;
    where.node->heldOpen = heldOpen;
    return true;
}

bool EmulatedFileSystem::Refuses(FileOperation operation, const char* path,
                                 const char* secondPath) {
    if (cutOff_ != nullptr && cutOff_->Gone()) return true;
    return faults_.ShouldFail(operation, path, secondPath);
}

bool EmulatedFileSystem::Step() {
    return cutOff_ == nullptr || cutOff_->Step();
}

std::unique_ptr<FindListing> EmulatedFileSystem::FindFirst(const char* pattern, FindEntry& entry) {
    if (Refuses(FILE_OP_LIST, pattern)) return nullptr;
    std::string_view text(pattern);
    std::size_t cut = FindLastBackslash(*text_, text);
    if (cut == std::string_view::npos) return nullptr;
    std::string_view mask = text.substr(cut + 1);
    Location where;
    if (mask.empty() || !Locate(text.substr(0, cut + 1), where)) return nullptr;
    if (where.node == nullptr || !where.node->folder) return nullptr;

    std::vector<FindEntry> entries;
    if (where.parent != nullptr) {  // a drive root lists neither "." nor ".."
        if (MatchesPattern(".", mask)) entries.push_back(EntryOf(".", kAttributeFolder));
        if (MatchesPattern("..", mask)) entries.push_back(EntryOf("..", kAttributeFolder));
    }
    for (const auto& child : where.node->children)
        if (MatchesPattern(child->name, mask))
            entries.push_back(EntryOf(child->name, VisibleAttributes(*child)));
    if (entries.empty()) return nullptr;
    entry = entries.front();
    return std::make_unique<EmulatedListing>(std::move(entries));
}

bool EmulatedFileSystem::Exists(const char* path) {
    if (Refuses(FILE_OP_EXISTS, path)) return false;
    if (std::strlen(path) >= kMaxExistsPath) return false;
    Location where;
    if (!Locate(path, where) || where.node == nullptr) return false;
    return !where.node->folder && !where.node->heldOpen;
}

bool EmulatedFileSystem::Move(const char* from, const char* to) {
    if (Refuses(FILE_OP_MOVE, from, to)) return false;
    Location source, target;
    if (!Locate(from, source) || !Locate(to, target)) return false;
    FileNode* node = source.node;
    if (node == nullptr || source.parent == nullptr || target.parent == nullptr) return false;
    if (target.node != nullptr && target.node != node) return false;
    if (HoldsOpenFile(*node)) return false;
    if (node->folder && (source.drive != target.drive || Contains(*node, target.parent)))
        return false;
    if (!Step()) return false;  // a rename is one step on disk
    std::unique_ptr<FileNode> taken = Detach(*source.parent, node);
    taken->name = target.leaf;
    InsertSorted(*target.parent, std::move(taken));
    return true;
}

bool EmulatedFileSystem::CopyNoOverwrite(const char* from, const char* to) {
    if (Refuses(FILE_OP_COPY, from, to)) return false;
    Location source, target;
    if (!Locate(from, source) || !Locate(to, target)) return false;
    const FileNode* node = source.node;
    if (node == nullptr || node->folder || node->heldOpen) return false;
    if (target.parent == nullptr || target.node != nullptr) return false;
    // The platform makes the new file with the source's attributes, then
    // writes the bytes: a cut leaves it empty or part-written.
    if (!Step()) return false;
    auto copy = std::make_unique<FileNode>();
    copy->name = target.leaf;
    copy->attributes = node->attributes;
    FileNode* made = copy.get();
    InsertSorted(*target.parent, std::move(copy));
    if (!Step()) return false;
    made->contents = node->contents.substr(0, node->contents.size() / 2);
    if (!Step()) return false;
    made->contents = node->contents;
    return true;
}

bool EmulatedFileSystem::Delete(const char* path) {
    if (Refuses(FILE_OP_DELETE, path)) return false;
    Location where;
    if (!Locate(path, where) || where.node == nullptr || where.parent == nullptr) return false;
    const FileNode* node = where.node;
    if (node->folder || node->heldOpen || (node->attributes & kAttributeReadOnly) != 0)
        return false;
    if (!Step()) return false;
    Detach(*where.parent, node);
    return true;
}

std::uint32_t EmulatedFileSystem::GetAttributes(const char* path) {
    if (Refuses(FILE_OP_GET_ATTRIBUTES, path)) return kInvalidAttributes;
    Location where;
    if (!Locate(path, where) || where.node == nullptr) return kInvalidAttributes;
    return VisibleAttributes(*where.node);
}

bool EmulatedFileSystem::SetAttributes(const char* path, std::uint32_t attributes) {
    if (Refuses(FILE_OP_SET_ATTRIBUTES, path)) return false;
    Location where;
    if (!Locate(path, where) || where.node == nullptr || where.parent == nullptr) return false;
    if (!Step()) return false;
    where.node->attributes = attributes & kStoredAttributes;
    return true;
}

bool EmulatedFileSystem::CreateFolder(const char* path) {
    if (Refuses(FILE_OP_CREATE_FOLDER, path)) return false;
    Location where;
    if (!Locate(path, where) || where.node != nullptr || where.parent == nullptr) return false;
    if (!Step()) return false;
    auto node = std::make_unique<FileNode>();
    node->name = where.leaf;
    node->folder = true;
    InsertSorted(*where.parent, std::move(node));
    return true;
}

bool EmulatedFileSystem::RemoveFolder(const char* path) {
    if (Refuses(FILE_OP_REMOVE_FOLDER, path)) return false;
    Location where;
    if (!Locate(path, where) || where.node == nullptr || where.parent == nullptr) return false;
    if (!where.node->folder || !where.node->children.empty()) return false;
    if (!Step()) return false;
    Detach(*where.parent, where.node);
    return true;
}

DriveType EmulatedFileSystem::DriveTypeOf(const char* root) {
    std::string_view text(root);
    bool isRoot = (text.size() == 2 || (text.size() == 3 && text[2] == '\\')) && text[1] == ':';
    if (!isRoot) return DRIVE_TYPE_NO_ROOT;
    EmulatedDrive* drive = DriveOf(text[0]);
    return drive == nullptr ? DRIVE_TYPE_NO_ROOT : drive->type;
}

std::size_t EmulatedFileSystem::SystemFolder(char* buffer, std::size_t size) {
    return CopyText(systemFolder_, buffer, size);
}

std::size_t EmulatedFileSystem::WindowsFolder(char* buffer, std::size_t size) {
    return CopyText(windowsFolder_, buffer, size);
}

std::size_t EmulatedFileSystem::ModuleFileName(char* buffer, std::size_t size) {
    return CopyText(moduleFile_, buffer, size);
}

std::size_t EmulatedFileSystem::FullPathName(const char* path, char* buffer, std::size_t size) {
    std::string_view text(path);
    std::string absolute;
    if (text.size() >= 2 && text[1] == ':') {
        absolute = text.size() >= 3 && text[2] == '\\'
                       ? std::string(text)
                       : std::string(text.substr(0, 2)) + "\\" + std::string(text.substr(2));
    } else if (!text.empty() && text[0] == '\\') {
        absolute = currentFolder_.substr(0, 2) + std::string(text);
    } else {
        absolute = currentFolder_ + "\\" + std::string(text);
    }
    char letter = 0;
    std::vector<std::string_view> steps;
    if (!SplitPath(*text_, absolute, letter, steps)) return CopyText({}, buffer, size);
    std::vector<std::string_view> kept;
    for (std::string_view step : steps) {
        if (step == ".") continue;
        if (step == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(step);
    }
    std::string result = absolute.substr(0, 2) + "\\";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0) result += '\\';
        result += kept[i];
    }
    if (!kept.empty() && !text.empty() && text.back() == '\\') result += '\\';
    return CopyText(result, buffer, size);
}

std::size_t EmulatedFileSystem::LongPathName(const char* path, char* buffer, std::size_t size) {
    Location where;
    if (!Locate(path, where) || where.node == nullptr) return CopyText({}, buffer, size);
    return CopyText(path, buffer, size);
}

}  // namespace platform::emulated
