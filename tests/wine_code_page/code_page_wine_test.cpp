// Machines of other Windows languages on the real registry and files, in a
// scratch Wine prefix whose code page the locale sets, judged by pictures made
// through the W calls, which see every name and value as it is:
//  - code page 1252: a service key and the CD-ROM class key with names and
//    data without an ANSI form, put aside and brought back exactly;
//  - code page 932: a Startup subfolder whose last character ends in the byte
//    of "\", and a shortcut and a Run value whose bytes hold "Index" where
//    the characters do not.
#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sweep/registry_stage.h"
#include "sweep/startup_folders.h"
#include "tests/wine_file_stage/wine_scratch.h"

namespace {

using sweep::SWEEP_DISABLE;
using sweep::SWEEP_REPORT;
using sweep::SWEEP_RESTORE;

using winetest::RealMachine;

// UTF-16 text as the W calls take it (wchar_t is two bytes here).
std::wstring W(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    std::string bytes(text.size() * 4, '\0');
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                             bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                             nullptr);
    bytes.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return bytes;
}

std::string Ansi(const std::wstring& text) {
    std::string bytes(text.size() * 2 + 1, '\0');
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(),
                                             static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return bytes;
}

void SetValue(HKEY root, const std::wstring& path, const std::wstring& name, DWORD type,
              const std::wstring& text) {
    HKEY key = nullptr;
    REQUIRE(::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) == ERROR_SUCCESS);
    REQUIRE(::RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
            ERROR_SUCCESS);
    ::RegCloseKey(key);
}

// Every value below the key, "subkey|name|type|data" with text in UTF-8 and
// the data's bytes in hex, sorted; empty when the key is missing.
void CollectValues(HKEY key, const std::wstring& below, std::vector<std::string>& lines) {
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        BYTE data[4096];
        DWORD length = 16384, size = sizeof data, type = 0;
        if (::RegEnumValueW(key, index, name, &length, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        std::string hex;
        for (DWORD i = 0; i < size; ++i) hex += "0123456789ABCDEF"[data[i] >> 4], hex += "0123456789ABCDEF"[data[i] & 0xF];
        lines.push_back(Utf8(below) + "|" + Utf8(std::wstring(name, length)) + "|" +
                        std::to_string(type) + "|" + hex);
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (::RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY child = nullptr;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        CollectValues(child, below + W(u"\\") + name, lines);
        ::RegCloseKey(child);
    }
}

std::vector<std::string> Values(HKEY root, const std::wstring& path) {
    std::vector<std::string> lines;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return lines;
    CollectValues(key, W(u""), lines);
    ::RegCloseKey(key);
    std::sort(lines.begin(), lines.end());
    return lines;
}

void CollectFiles(const std::wstring& folder, const std::wstring& below,
                  std::vector<std::string>& lines) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + W(u"\\*")).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == W(u".") || name == W(u"..")) continue;
        const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        lines.push_back(Utf8(below + name) + (isFolder ? "\\" : ""));
        if (isFolder) CollectFiles(folder + W(u"\\") + name, below + name + W(u"\\"), lines);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

// Every file and folder below `folder` by its path from there, sorted.
std::vector<std::string> Files(const std::wstring& folder) {
    std::vector<std::string> lines;
    CollectFiles(folder, W(u""), lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

const std::wstring kClassKey =
    W(u"System\\CurrentControlSet\\Control\\Class\\{4D36E965-E325-11CE-BFC1-08002BE10318}");
const std::wstring kServiceKey = W(u"System\\CurrentControlSet\\Services\\ElbyCDIO");
const std::wstring kTwinServiceKey = W(u"System\\CurrentControlSet\\OldServices\\ElbyCDIO");

}  // namespace

TEST_CASE("code page 1252: names and data without an ANSI form are put aside and brought back") {
    if (::GetACP() != 1252) return;
    SetValue(HKEY_LOCAL_MACHINE, kServiceKey, W(u"DisplayName"), REG_SZ, W(u"Elby CD Монитор"));
    SetValue(HKEY_LOCAL_MACHINE, kServiceKey, W(u"Описание"), REG_SZ, W(u"Фильтр"));
    SetValue(HKEY_LOCAL_MACHINE, kClassKey, W(u"IconPath"), REG_SZ, W(u"C:\\Иконки\\cd.ico"));
    SetValue(HKEY_LOCAL_MACHINE, kClassKey, W(u"LowerFilters"), REG_MULTI_SZ, W(u"PxHelp20") + std::wstring(1, L'\0'));
    const std::vector<std::string> service = Values(HKEY_LOCAL_MACHINE, kServiceKey);
    const std::vector<std::string> classKey = Values(HKEY_LOCAL_MACHINE, kClassKey);
    REQUIRE(service.size() == 2);

    RealMachine m;
    // The value that the A calls cannot name leaves with its key, not by name.
    CHECK(sweep::SweepControlSetKey(m.context, SWEEP_DISABLE, "Services\\ElbyCDIO", nullptr) == 1);
    CHECK(sweep::SweepClassFilters(m.context, SWEEP_DISABLE) > 0);
    CHECK(Values(HKEY_LOCAL_MACHINE, kServiceKey).empty());
    CHECK(Values(HKEY_LOCAL_MACHINE, kTwinServiceKey) == service);
    const std::vector<std::string> twins = Values(HKEY_LOCAL_MACHINE, W(u"System\\CurrentControlSet"));
    CHECK_FALSE(Has(twins, "???"));
    CHECK_FALSE(Has(twins, "3F3F3F"));  // '?' in text data

    CHECK(sweep::SweepControlSetKey(m.context, SWEEP_RESTORE, "Services\\ElbyCDIO", nullptr) == 1);
    CHECK(sweep::SweepClassFilters(m.context, SWEEP_RESTORE) > 0);
    CHECK(Values(HKEY_LOCAL_MACHINE, kServiceKey) == service);
    CHECK(Values(HKEY_LOCAL_MACHINE, kClassKey) == classKey);
    CHECK(Values(HKEY_LOCAL_MACHINE, kTwinServiceKey).empty());
}

TEST_CASE("code page 932: Startup paths split on characters, names matched by characters") {
    if (::GetACP() != 932) return;
    const std::wstring user = W(u"C:\\Documents and Settings\\能登");
    const std::wstring startup = user + W(u"\\スタートアップ");
    const std::wstring subfolder = startup + W(u"\\常駐機能");
    const bool made = ::CreateDirectoryW(W(u"C:\\Documents and Settings").c_str(), nullptr);
    REQUIRE((made || ::GetLastError() == ERROR_ALREADY_EXISTS));
    REQUIRE(::CreateDirectoryW(user.c_str(), nullptr));
    REQUIRE(::CreateDirectoryW(startup.c_str(), nullptr));
    REQUIRE(::CreateDirectoryW(subfolder.c_str(), nullptr));
    for (const std::wstring& file : {subfolder + W(u"\\Adaptec ソフト.lnk"), startup + W(u"\\ラジオndex.lnk")}) {
        HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        REQUIRE(handle != INVALID_HANDLE_VALUE);
        ::CloseHandle(handle);
    }
    const std::wstring shellFolders =
        W(u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    const std::wstring run = W(u"Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    SetValue(HKEY_CURRENT_USER, shellFolders, W(u"Startup"), REG_SZ, startup);
    SetValue(HKEY_CURRENT_USER, run, W(u"ラジオndex"), REG_SZ, W(u"C:\\radio.exe"));
    const std::vector<std::string> files = Files(user);
    const std::vector<std::string> runValues = Values(HKEY_CURRENT_USER, run);
    // The names survived into the prefix: Wine keeps them only in a UTF-8 locale.
    // (Texts of code page 932 stay out of the checks, which name them in 1252.)
    const std::string adaptec = Utf8(W(u"常駐機能") + L"\\" + W(u"Adaptec ソフト.lnk"));
    const std::string adaptecLine = Ansi(W(u"Start: Adaptec ソフト.lnk") + L"\r\n");
    const std::vector<std::string> putAside = {Utf8(W(u"常駐機能") + L"\\"), adaptec};
    REQUIRE(Has(files, adaptec));

    RealMachine m;
    m.report.Restart("");
    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_REPORT) + sweep::SweepRunKeys(m.context, SWEEP_REPORT) == 1);
    CHECK(std::string(m.report.Text()) == adaptecLine);

    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_DISABLE) == 1);
    CHECK(sweep::SweepRunKeys(m.context, SWEEP_DISABLE) == 0);
    CHECK(Files(startup + W(u"_Disabled")) == putAside);
    CHECK(Values(HKEY_CURRENT_USER, run) == runValues);

    CHECK(sweep::SweepStartupFolders(m.context, SWEEP_RESTORE) > 0);
    sweep::SweepRunKeys(m.context, SWEEP_RESTORE);
    CHECK(Files(user) == files);
    CHECK(Values(HKEY_CURRENT_USER, run) == runValues);
}
