// Reads Dravolin.exe, beside this program, as the loader of XP and later
// does: its one manifest resource, and what the activation context made from
// it says about the execution level and the systems the program names.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include <doctest/doctest.h>

namespace {

constexpr WORD kManifestType = 24;  // RT_MANIFEST
constexpr WORD kProcessManifestId = 1;

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"Dravolin.exe";
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

struct ActivationContext {
    HANDLE handle = INVALID_HANDLE_VALUE;
    explicit ActivationContext(const std::wstring& program) {
        ACTCTXW request = {};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = program.c_str();
        request.lpResourceName = MAKEINTRESOURCEW(kProcessManifestId);
        handle = CreateActCtxW(&request);
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;
    ~ActivationContext() {
        if (handle != INVALID_HANDLE_VALUE) ReleaseActCtx(handle);
    }
};

std::vector<BYTE> Query(HANDLE context, ULONG infoClass) {
    SIZE_T needed = 0;
    QueryActCtxW(0, context, nullptr, infoClass, nullptr, 0, &needed);
    std::vector<BYTE> bytes(needed);
    if (needed == 0 || !QueryActCtxW(0, context, nullptr, infoClass, bytes.data(), needed, &needed)) {
        bytes.clear();
    }
    bytes.resize(needed);
    return bytes;
}

// {GUID Id; DWORD Type;} in older headers, with a 64-bit MaxVersionTested
// after it (and the array aligned for it) in newer ones: the layout is the
// one whose elements fill the bytes the call returned.
std::vector<std::pair<GUID, DWORD>> CompatibilityElements(const std::vector<BYTE>& bytes) {
    std::vector<std::pair<GUID, DWORD>> elements;
    if (bytes.size() < sizeof(DWORD)) return elements;
    DWORD count = 0;
    std::memcpy(&count, bytes.data(), sizeof count);
    for (const auto& [offset, size] : {std::pair<SIZE_T, SIZE_T>{4, 20}, {8, 32}, {4, 28}}) {
        if (count == 0 || offset + count * size != bytes.size()) continue;
        for (DWORD i = 0; i < count; ++i) {
            GUID id;
            DWORD type = 0;
            std::memcpy(&id, bytes.data() + offset + i * size, sizeof id);
            std::memcpy(&type, bytes.data() + offset + i * size + sizeof id, sizeof type);
            elements.emplace_back(id, type);
        }
        break;
    }
    return elements;
}

std::string Text(const GUID& id) {
    wchar_t text[40] = {};
    StringFromGUID2(id, text, 40);
    return std::string(text, text + lstrlenW(text));
}

}  // namespace

TEST_CASE("Dravolin.exe carries one manifest, the process manifest in one language") {
    const std::wstring program = ProgramPath();
    HMODULE image = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    REQUIRE(image != nullptr);
    std::vector<ULONG_PTR> names;
    EnumResourceNamesW(image, MAKEINTRESOURCEW(kManifestType), CollectName,
                       reinterpret_cast<LONG_PTR>(&names));
    CHECK(names == std::vector<ULONG_PTR>{kProcessManifestId});
    int languages = 0;
    EnumResourceLanguagesW(image, MAKEINTRESOURCEW(kManifestType), MAKEINTRESOURCEW(kProcessManifestId),
                           CountLanguage, reinterpret_cast<LONG_PTR>(&languages));
    CHECK(languages == 1);
    FreeLibrary(image);
}

TEST_CASE("the loader's activation context: highest available level, the five systems") {
    const ActivationContext context(ProgramPath());
    REQUIRE_MESSAGE(context.handle != INVALID_HANDLE_VALUE, "CreateActCtxW failed: ", GetLastError());

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    SIZE_T written = 0;
    REQUIRE(QueryActCtxW(0, context.handle, nullptr, RunlevelInformationInActivationContext, &level,
                         sizeof level, &written));
    CHECK(level.RunLevel == ACTCTX_RUN_LEVEL_HIGHEST_AVAILABLE);
    CHECK(level.UiAccess == 0);

    const std::string expected =
        "{E2011457-1546-43C5-A5FE-008DEEE3D3F0} "   // Vista
        "{35138B9A-5D96-4FBD-8E2D-A2440225F93A} "   // 7
        "{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38} "   // 8
        "{1F676C76-80E1-4239-95BB-83D0F6D0DA78} "   // 8.1
        "{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A} ";  // 10 and 11
    std::string systems;
    const std::vector<BYTE> bytes = Query(context.handle, CompatibilityInformationInActivationContext);
    for (const auto& [id, type] : CompatibilityElements(bytes)) {
        CHECK(type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS);
        systems += Text(id) + " ";
    }
    INFO("the compatibility information is ", bytes.size(), " bytes");
    CHECK(systems == expected);
}
