// The rich machines of the whole-sweep tests.
#include "tests/unit/sweep/rich_machine.h"

#include <vector>

#include "tests/unit/sweep/machine_items.h"
#include "tests/unit/sweep/sweep_machine.h"

namespace test {
namespace {

const std::string kProgram = kProgramFolder;

std::string Escaped(const std::string& path) {
    std::string out;
    for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

std::string EveryType() {
    return "\"Sz\"=\"text\"\r\n\"Expand\"=hex(2):25,53,25,00\r\n\"Binary\"=hex:00,ff,10\r\n"
           "\"Dword\"=dword:12345678\r\n\"Multi\"=hex(7):61,00,00\r\n\"None\"=hex(0):\r\n"
           "\"Odd\"=hex(4d2):01\r\n\"Empty\"=\"\"\r\n@=\"default\"\r\n"
           "\"NoZero\"=hex(1):41,42\r\n";
}

const char* Attributes(const std::string& entry) {
    return entry.size() % 3 == 0 ? "R" : entry.size() % 3 == 1 ? "RH" : "-";
}

}  // namespace

RichMachine::RichMachine(platform::PlatformKind kind, Bitness bitness) {
    const bool nt = kind == platform::PLATFORM_NT;
    const bool wide = bitness == Bitness::k64;
    // The folders as the program names them; on 64-bit Windows the driver
    // folder is the native one, where kernel drivers live.
    const std::string system = nt ? test::kNtSystemFolder : test::kWin9xSystemFolder;
    const std::string drivers = system + (nt ? "\\DRIVERS" : "\\IOSUBSYS");
    // Where the program's system folder lies, and its HKLM\Software.
    const std::string ownSystem = wide ? kWow64SystemFolder : system;
    const std::string ownSoftware = wide ? "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node"
                                         : "[HKEY_LOCAL_MACHINE\\Software";
    const std::string nativeSoftware = "[HKEY_LOCAL_MACHINE\\Software";
    const std::string driverFile = nt ? "ElbyCDIO.sys" : "CDUDF.VXD";
    const std::string driverStem = driverFile.substr(0, driverFile.size() - 4);
    const std::string secondDriver = nt ? "PxHelp20.sys" : "PxHelper.vxd";
    const std::string sharedDlls = "\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs]\r\n";
    const std::string run = "\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n";

    reg += (wide ? nativeSoftware : ownSoftware) + sharedDlls;
    reg += "\"" + Escaped(drivers + "\\" + driverFile) + "\"=dword:00000002\r\n";
    reg += ownSoftware + sharedDlls;
    reg += "\"" + Escaped(system + "\\CDRAL.DLL") + "\"=hex(1):31,00\r\n";
    reg += "\"" + Escaped(system + "\\C2ASPI.DLL") + "\"=hex:01,02,03\r\n";
    reg += "\"" + Escaped(system + "\\CDRTC.DLL") + "\"=dword:00000001\r\n";
    reg += "\"" + Escaped(system + "\\unrelated.dll") + "\"=dword:00000007\r\n";

    // The driver-folder pass names "Services\VxD\<stem>", the system-folder
    // pass "Services\<stem>"; on NT a numbered set holds a key of its own.
    const std::vector<std::string> sets =
        nt ? std::vector<std::string>{"CurrentControlSet", "ControlSet002"}
           : std::vector<std::string>{"CurrentControlSet"};
    for (const std::string& set : sets) {
        const std::string services = "[HKEY_LOCAL_MACHINE\\System\\" + set + "\\Services\\";
        reg += services + "VxD\\" + driverStem + "]\r\n" + EveryType();
        reg += services + "VxD\\" + driverStem + "\\Enum]\r\n\"Count\"=dword:00000001\r\n";
        reg += services + "VxD\\" + driverStem + "\\Enum\\Deep]\r\n\"0\"=\"root\"\r\n";
        reg += services + "CDRAL]\r\n\"Start\"=dword:00000002\r\n";
        reg += services + "Keep]\r\n\"Start\"=dword:00000003\r\n";
    }
    reg += "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\C2ASPI]\r\n";  // no values

    if (nt) {
        const std::string cls = "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Class\\"
                                "{4D36E965-E325-11CE-BFC1-08002BE10318}";
        reg += cls + "]\r\n\"Class\"=\"CDROM\"\r\n";
        reg += "\"LowerFilters\"=hex(7):50,78,48,65,6c,70,32,30,00,00\r\n";
        reg += "\"UpperFilters\"=hex(7):72,65,64,00,62,6c,75,65,00,00\r\n";
        reg += "@=\"default\"\r\n";
        reg += cls + "\\0000]\r\n\"DriverDesc\"=\"drive\"\r\n";
    }
    reg += "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\SessionManager\\WarnVerDLLs]\r\n"
           "\"WINASPI.DLL\"=\"4.60\"\r\n\"OTHER.DLL\"=\"1.0\"\r\n";
    reg += ownSoftware + run +
           "\"RoxioTray\"=\"C:\\\\r.exe\"\r\n\"NeroCheck\"=hex(2):25,41,25,00\r\n"
           "\"CreateCD Elby\"=dword:00000001\r\n\"Keep\"=\"k.exe\"\r\n";
    reg += "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
           "\"DirectCD\"=hex(7):61,00,62,00,00\r\n\"Odd Instant\"=hex(1234):00,ff\r\n"
           "\"Empty Padus\"=hex:\r\n\"Plain\"=\"\"\r\n";
    reg += "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
           "\"Startup\"=\"" + Escaped(kUserStartup) + "\"\r\n";
    reg += ownSoftware + "\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
           "\"Common Startup\"=\"" + Escaped(kCommonStartup) + "\"\r\n";

    File("R", "shut", drivers + "\\" + driverFile);
    File("H", "shut", drivers + "\\" + secondDriver);
    File("-", "shut", drivers + "\\keep.sys");
    File("RHS", "shut", ownSystem + "\\CDRAL.DLL");
    File("A", "shut", ownSystem + "\\C2ASPI.DLL");
    File("-", "open", ownSystem + "\\MEDSERV.DLL");  // in use: counts as absent
    File("-", "shut", ownSystem + "\\VlCdText.dll");

    if (wide) {
        // The native view's own: the same names as the program's with data of
        // their own, a file whose SharedDLLs value is in the other view, and a
        // value naming a library where it lies on the disk, which no sweep
        // forms.
        reg += nativeSoftware + sharedDlls;
        reg += "\"" + Escaped(system + "\\CDRAL.DLL") + "\"=dword:00000005\r\n";
        reg += "\"" + Escaped(system + "\\unrelated.dll") + "\"=dword:00000008\r\n";
        reg += ownSoftware + sharedDlls;
        reg += "\"" + Escaped(ownSystem + "\\CDRAL.DLL") + "\"=dword:00000001\r\n";
        reg += nativeSoftware + run +
               "\"RoxioTray\"=\"C:\\\\native.exe\"\r\n\"Nero Native\"=dword:00000040\r\n"
               "\"Keep\"=\"k64.exe\"\r\n";
        File("-", "shut", system + "\\CDRAL.DLL");
        File("R", "shut", system + "\\CDRTC.DLL");
    }

    for (const char* entry : {"CreateCD.lnk", "Tools\\RoxioTray.lnk", "Tools\\Deep\\Elby.lnk",
                              "keep.lnk", "Tools\\notes.lnk", "Dravolin saved\\InCD.lnk"}) {
        File(Attributes(entry), "shut", kUserStartup + "\\" + entry);
    }
    manifest += "folder - " + kUserStartup + "\\Empty\n";
    File("A", "shut", kCommonStartup + "\\NeroCheck.exe");
    File("S", "shut", kCommonStartup + "\\Sub\\Instant Index.lnk");
    File("-", "open", kCommonStartup + "\\Roxio open.lnk");

    manifest += "folder - " + kProgram + "\\Dravolin\n";
    File("R", "shut", kProgram + "\\VlCore.dll");
    File("-", "shut", kProgram + "\\VlCdText.dll");
    File("-", "shut", kProgram + "\\readme.txt");
    File("H", "shut", kProgram + "\\VLREC\\VlBurnDev.dll");
}

void RichMachine::File(const char* attributes, const char* state, const std::string& path) {
    manifest += std::string("file ") + attributes + " " + state + " =data" +
                std::to_string(++files_) + " " + path + "\n";
}

}  // namespace test
