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
