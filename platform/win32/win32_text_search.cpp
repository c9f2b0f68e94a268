// StrStrIA, looked up at run time like the other shell functions.
#include "platform/win32/win32_text_search.h"

#include "platform/win32/unique_handles.h"

namespace platform::win32 {

bool ShellFindsText(const char* searched, const char* sought, bool* available) {
    using Function = LPSTR(WINAPI*)(LPCSTR, LPCSTR);
    static const UniqueLibrary shell(::LoadLibraryA("shlwapi.dll"));
    static const Function strStrI = LookUp<Function>(shell.Get(), "StrStrIA");
    if (available != nullptr) *available = strStrI != nullptr;
    return strStrI != nullptr && strStrI(searched, sought) != nullptr;
}

}  // namespace platform::win32
