// The compiled resources of Dravolin.exe: the dialog template byte by byte,
// the icon group and the version. Reads the .res file that windres makes from
// the very script the program links (its path comes from the build).
#include <doctest/doctest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::uint16_t kTypeIcon = 3, kTypeDialog = 5, kTypeGroupIcon = 14, kTypeVersion = 16;

struct Resource {
    std::uint16_t typeId = 0;  // 0 when the type is a name
    std::u16string name;       // empty when the name is a number
    std::uint16_t nameId = 0;
    std::vector<std::uint8_t> data;
};

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* f = std::fopen(path, "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}

class Reader {
public:
    Reader(const std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t end)
        : bytes_(bytes), at_(at), end_(end) {}
    std::uint16_t Word() {
        REQUIRE(at_ + 2 <= end_);
        std::uint16_t v = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return v;
    }
    std::uint32_t Dword() {
        std::uint32_t low = Word();
        return low | static_cast<std::uint32_t>(Word()) << 16;
    }
    std::int16_t Short() { return static_cast<std::int16_t>(Word()); }
    std::uint8_t Byte() {
        REQUIRE(at_ < end_);
        return bytes_[at_++];
    }
    // A zero-terminated UTF-16 string.
    std::u16string String() {
        std::u16string s;
        for (std::uint16_t c = Word(); c != 0; c = Word()) s.push_back(static_cast<char16_t>(c));
        return s;
    }
    // A number (0xFFFF, id) or a string; returns the id or 0 and fills `name`.
    std::uint16_t NameOrId(std::u16string& name) {
        const std::uint16_t first = Word();
        if (first == 0xFFFF) return Word();
        if (first == 0) return 0;
        name.push_back(static_cast<char16_t>(first));
        name += String();
        return 0;
    }
    void AlignDword() { at_ = (at_ + 3) & ~std::size_t{3}; }
    std::size_t At() const { return at_; }
    bool AtEnd() const { return at_ >= end_; }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_, end_;
};

std::vector<Resource> ReadResources(const std::vector<std::uint8_t>& bytes) {
    std::vector<Resource> resources;
    std::size_t at = 0;
    while (at + 8 <= bytes.size()) {
        Reader header(bytes, at, bytes.size());
        const std::uint32_t dataSize = header.Dword();
        const std::uint32_t headerSize = header.Dword();
        Resource r;
        std::u16string typeName;
        r.typeId = header.NameOrId(typeName);
        r.nameId = header.NameOrId(r.name);
        const std::size_t dataAt = at + headerSize;
        REQUIRE(dataAt + dataSize <= bytes.size());
        r.data.assign(bytes.begin() + dataAt, bytes.begin() + dataAt + dataSize);
        if (dataSize > 0) resources.push_back(std::move(r));
        at = (dataAt + dataSize + 3) & ~std::size_t{3};
    }
    return resources;
}

const Resource* Find(const std::vector<Resource>& all, std::uint16_t type) {
    for (const Resource& r : all) {
        if (r.typeId == type) return &r;
    }
    return nullptr;
}

std::u16string U(const char* ascii) { return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii)); }

}  // namespace

TEST_CASE("compiled resources of the program") {
    const std::vector<std::uint8_t> bytes = ReadFile(DRAVOLIN_RES_FILE);
    REQUIRE_MESSAGE(!bytes.empty(), "cannot read " DRAVOLIN_RES_FILE);
    const std::vector<Resource> resources = ReadResources(bytes);

    SUBCASE("the dialog template DRAVOLIN: frame, class, caption, font and six controls in tab order") {
        const Resource* dialog = Find(resources, kTypeDialog);
        REQUIRE(dialog != nullptr);
        CHECK(dialog->name == U("DRAVOLIN"));
        Reader r(dialog->data, 0, dialog->data.size());
        CHECK(r.Dword() == 0x00C800C0u);  // caption, system menu, modal frame, font; hidden
        CHECK(r.Dword() == 0u);           // no extended style
        const std::uint16_t count = r.Word();
        CHECK(count == 6);
        CHECK(r.Short() == 0);
        CHECK(r.Short() == 0);
        CHECK(r.Short() == 337);
        CHECK(r.Short() == 210);
        std::u16string menu, windowClass;
        CHECK(r.NameOrId(menu) == 0);
        CHECK(menu.empty());
        r.NameOrId(windowClass);
        // windres stores the class name in upper case; window classes are
        // looked up without regard to case, so the dialog still gets our class.
        CHECK(windowClass == U("VELMODRAVOLINCLASS"));
        CHECK(r.String() == U("VELMO"));
        CHECK(r.Word() == 8);
        CHECK(r.String() == U("MS Sans Serif"));

        constexpr std::uint32_t kChildVisibleTab = 0x50010000;  // WS_CHILD|WS_VISIBLE|WS_TABSTOP
        constexpr std::uint32_t kFlat = 0x8000;                   // BS_FLAT
        struct Control {
            std::uint16_t id;
            std::uint16_t classAtom;  // 0x80 button, 0x81 edit
            const char* caption;
            std::uint32_t style;
            std::int16_t x, y, cx, cy;
        };
        const Control expected[] = {
            {1001, 0x80, "New Drivers", kChildVisibleTab | kFlat | 0x1, 255, 189, 75, 14},
            {1002, 0x80, "Test", kChildVisibleTab | kFlat, 198, 189, 54, 14},
            {1000, 0x80, "Close", kChildVisibleTab | kFlat, 141, 189, 53, 14},
            {1005, 0x80, "Support", kChildVisibleTab | kFlat, 84, 189, 54, 14},
            {1006, 0x80, "Old Drivers", kChildVisibleTab | kFlat, 7, 189, 73, 14},
            // multi-line, auto scroll both ways, read-only, vertical bar, border
            {1004, 0x81, "", kChildVisibleTab | 0x0804 | 0x40 | 0x80 | 0x00200000 | 0x00800000, 7, 9,
             322, 173},
        };
        for (const Control& c : expected) {
            CAPTURE(c.id);
            r.AlignDword();
            CHECK(r.Dword() == c.style);
            CHECK(r.Dword() == 0u);
            CHECK(r.Short() == c.x);
            CHECK(r.Short() == c.y);
            CHECK(r.Short() == c.cx);
            CHECK(r.Short() == c.cy);
            CHECK(r.Word() == c.id);
            std::u16string className, caption;
            CHECK(r.NameOrId(className) == c.classAtom);
            r.NameOrId(caption);
            CHECK(caption == U(c.caption));
            CHECK(r.Word() == 0);  // no creation data
        }
        CHECK(r.AtEnd());
    }

    SUBCASE("icon group 105: 32x32 and 16x16 in 16 colours") {
        const Resource* group = Find(resources, kTypeGroupIcon);
        REQUIRE(group != nullptr);
        CHECK(group->nameId == 105);
        Reader r(group->data, 0, group->data.size());
        CHECK(r.Word() == 0);
        CHECK(r.Word() == 1);
        REQUIRE(r.Word() == 2);
        const int sizes[] = {32, 16};
        for (int size : sizes) {
            CHECK(r.Byte() == size);
            CHECK(r.Byte() == size);
            CHECK(r.Byte() == 16);  // colours
            r.Byte();
            CHECK(r.Word() == 1);  // planes
            CHECK(r.Word() == 4);  // bits per pixel
            r.Dword();
            r.Word();
        }
        int icons = 0;
        for (const Resource& res : resources) icons += res.typeId == kTypeIcon;
        CHECK(icons == 2);
    }

    SUBCASE("version 3.0.4.0 with a German string table in code page 1200") {
        const Resource* version = Find(resources, kTypeVersion);
        REQUIRE(version != nullptr);
        const std::vector<std::uint8_t>& d = version->data;
        // VS_FIXEDFILEINFO follows "VS_VERSION_INFO" and starts with its signature.
        std::size_t fixed = 0;
        for (std::size_t i = 0; i + 4 <= d.size(); i += 4) {
            if (d[i] == 0xBD && d[i + 1] == 0x04 && d[i + 2] == 0xEF && d[i + 3] == 0xFE) {
                fixed = i;
                break;
            }
        }
        REQUIRE(fixed != 0);
        Reader r(d, fixed + 8, d.size());
        CHECK(r.Dword() == 0x00030000u);  // file version 3.0
        CHECK(r.Dword() == 0x00040000u);  // .4.0
        CHECK(r.Dword() == 0x00030000u);  // product version
        CHECK(r.Dword() == 0x00040000u);
        const std::u16string block = U("040704B0");
        const std::u16string text(reinterpret_cast<const char16_t*>(d.data()), d.size() / 2);
        CHECK(text.find(block) != std::u16string::npos);
        CHECK(text.find(U("VELMO Dravolin")) != std::u16string::npos);
        const std::u16string translation{char16_t{0x0407}, char16_t{1200}};
        CHECK(text.find(translation) != std::u16string::npos);
    }
}
