// Machines of every Windows language: names and values that the system's ANSI
// code page cannot express, which the A calls of the NT family show as '?'.
#include <doctest/doctest.h>

#include <set>
#include <string>

#include "platform/emulated/ansi_form.h"
#include "sweep/run_sweep.h"
#include "tests/unit/sweep/sweep_machine.h"

namespace {

using platform::emulated::WithoutAnsiForm;

const std::string kMonitor = WithoutAnsiForm(u"Монитор");
const std::string kDescription = WithoutAnsiForm(u"Описание");
const std::string kFilter = WithoutAnsiForm(u"Фильтр");
const std::string kIcons = WithoutAnsiForm(u"Иконки");
const std::string kPhoto = WithoutAnsiForm(u"Фото");

// A service key and the CD-ROM class key with such names and data beside what
// the sweep puts aside, and a Run value of a matching name without an ANSI form.
std::string CyrillicMachine() {
    return "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\ElbyCDIO]\r\n"
           "\"DisplayName\"=\"Elby CD " + kMonitor + "\"\r\n"
           "\"" + kDescription + "\"=\"" + kFilter + "\"\r\n"
           "\"Start\"=dword:00000003\r\n"
           "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\"
           "{4D36E965-E325-11CE-BFC1-08002BE10318}]\r\n"
           "\"IconPath\"=\"C:\\\\" + kIcons + "\\\\cd.ico\"\r\n"
           "\"LowerFilters\"=hex(7):50,78,48,65,6c,70,32,30,00,00\r\n"
           "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
           "\"Roxio " + kPhoto + "\"=\"C:\\\\" + kPhoto + ".exe\"\r\n";
}

std::string Lines(const std::set<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The value lines of `lines` that `other` lacks; the keys and folders a sweep
// leaves behind are left out.
std::string ValuesNotIn(const std::set<std::string>& lines, const std::set<std::string>& other) {
    std::set<std::string> values;
    for (const std::string& line : lines)
        if (line.find("] \"") != std::string::npos && other.count(line) == 0) values.insert(line);
    return Lines(values);
}

// As the snapshot shows a value name.
std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

TEST_CASE("NT family: values without an ANSI form are put aside and brought back exactly") {
    test::SweepMachine m(platform::PLATFORM_NT, CyrillicMachine());
    const auto before = m.Snapshot();

    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_DISABLE) > 0);
    const std::string putAside = Lines(m.Snapshot());
    // The twin holds the service key as it was, and nothing the A calls made.
    CHECK(putAside.find("oldservices\\elbycdio] \"displayname\"=\"Elby CD " + kMonitor) !=
          std::string::npos);
    CHECK(putAside.find("\"" + platform::emulated::AnsiView(kDescription)) == std::string::npos);
    CHECK(putAside.find("?") == std::string::npos);
    // The Run value that the A calls cannot name stays where it is.
    CHECK(putAside.find("\\run] \"roxio " + Lower(kPhoto)) != std::string::npos);

    CHECK(sweep::RunSweep(m.context, sweep::SWEEP_RESTORE) > 0);
    const auto after = m.Snapshot();
    CHECK(ValuesNotIn(before, after) == "");
    CHECK(ValuesNotIn(after, before) == "");
}

namespace {

// Code page 932. 能 and ソ end in the byte of "\" (0x94 0x5C, 0x83 0x5C);
// ラジオ holds the bytes of "I" (0x49) without a letter I.
const std::string kStartup = "C:\\Documents and Settings\\\x94\x5C\x93\x6F\\Start Menu\\Programs\\"
                             "\x83\x58\x83\x5E\x81\x5B\x83\x67\x83\x41\x83\x62\x83\x76";
const std::string kSubfolder = "\x8F\xED\x92\x93\x8B\x40\x94\x5C";  // 常駐機能
const std::string kAdaptec = "Adaptec \x83\x5C\x83\x74\x83\x67.lnk";  // Adaptec ソフト.lnk
const std::string kRadio = "\x83\x89\x83\x57\x83\x49ndex";            // ラジオndex

void SetText(platform::Registry& registry, platform::RegRoot root, const char* path,
             const std::string& name, const std::string& text) {
    platform::RegKey key;
    REQUIRE(registry.CreateKey(root, path, key) == platform::kErrorSuccess);
    REQUIRE(registry.SetValue(key, name.c_str(), platform::kRegSz, text.c_str(),
                              static_cast<std::uint32_t>(text.size() + 1)) ==
            platform::kErrorSuccess);
}

std::set<std::string> FilesAndFoldersBelow(const std::set<std::string>& lines,
                                           const std::string& folder) {
    std::set<std::string> below;
    for (const std::string& line : lines)
        if ((line.rfind("file ", 0) == 0 || line.rfind("folder ", 0) == 0) &&
            line.find(folder) != std::string::npos) {
            below.insert(line);
        }
    return below;
}

}  // namespace

TEST_CASE("code page 932: paths split on characters, names matched by characters") {
    for (platform::PlatformKind kind : {platform::PLATFORM_NT, platform::PLATFORM_9X}) {
        CAPTURE(kind);
        test::SweepMachine m(kind, {}, {}, test::Bitness::k32,
                             platform::emulated::CodePage::kJapanese932);
        SetText(m.registry, platform::RegRoot::CurrentUser,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Startup",
                kStartup);
        SetText(m.registry, platform::RegRoot::CurrentUser,
                "Software\\Microsoft\\Windows\\CurrentVersion\\Run", kRadio, "C:\\radio.exe");
        REQUIRE(m.files.AddFile(kStartup + "\\" + kSubfolder + "\\" + kAdaptec, "shortcut"));
        REQUIRE(m.files.AddFile(kStartup + "\\" + kRadio + ".lnk", "shortcut"));
        const auto before = m.Snapshot();

        CHECK(sweep::RunSweep(m.context, sweep::SWEEP_REPORT) == 1);
        const std::string report = m.report->Text();
        CHECK(report.find("Start: " + kAdaptec + "\r\n") != std::string::npos);
        CHECK(report.find(kRadio) == std::string::npos);

        CHECK(sweep::RunSweep(m.context, sweep::SWEEP_DISABLE) > 0);
        const std::string sibling = kStartup + "_Disabled";
        CHECK(Lines(FilesAndFoldersBelow(m.Snapshot(), sibling)) ==
              "file A shut =shortcut " + sibling + "\\" + kSubfolder + "\\" + kAdaptec + "\n"
              "folder - " + sibling + "\n"
              "folder - " + sibling + "\\" + kSubfolder + "\n");
        CHECK(m.files.Find(kStartup + "\\" + kRadio + ".lnk") != nullptr);

        CHECK(sweep::RunSweep(m.context, sweep::SWEEP_RESTORE) > 0);
        const auto after = m.Snapshot();
        CHECK(Lines(FilesAndFoldersBelow(after, kStartup)) ==
              Lines(FilesAndFoldersBelow(before, kStartup)));
        CHECK(ValuesNotIn(before, after) == "");
        CHECK(ValuesNotIn(after, before) == "");
    }
}
