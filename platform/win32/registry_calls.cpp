// The registry calls of this system, chosen once.
#include "platform/win32/registry_calls.h"

#include "platform/win32/unique_handles.h"
#include "platform/win32/wow64.h"

namespace platform::win32 {
namespace {

template <typename Function, typename Typed>
void Take(Function& slot, Typed function) {
    slot = reinterpret_cast<Function>(reinterpret_cast<void*>(function));
}

template <typename Function>
bool LookUpInto(Function& slot, HMODULE module, const char* name) {
    slot = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return slot != nullptr;
}

bool RunsOnNt() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool LookUpWideCalls(RegistryCalls& calls) {
    // Both are mapped into every process for its whole life: no reference
    // is taken, so none is to be given back.
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    HMODULE advapi = ::GetModuleHandleA("advapi32.dll");
    LookUpInto(calls.deleteKeyEx, advapi, "RegDeleteKeyExW");  // 64-bit Windows has it
    return LookUpInto(calls.queryInfoKey, advapi, "RegQueryInfoKeyW") &&
           LookUpInto(calls.enumKey, advapi, "RegEnumKeyExW") &&
           LookUpInto(calls.openKey, advapi, "RegOpenKeyExW") &&
           LookUpInto(calls.createKey, advapi, "RegCreateKeyExW") &&
           LookUpInto(calls.deleteKey, advapi, "RegDeleteKeyW") &&
           LookUpInto(calls.enumValue, advapi, "RegEnumValueW") &&
           LookUpInto(calls.setValue, advapi, "RegSetValueExW") &&
           LookUpInto(calls.toAnsi, kernel, "WideCharToMultiByte") &&
           LookUpInto(calls.toUnicode, kernel, "MultiByteToWideChar");
}

RegistryCalls ChooseCalls() {
    RegistryCalls calls{};
    if (RunsOnNt() && LookUpWideCalls(calls)) return calls;
    // Every call is set again; Wide() stays false, as MultiByteToWideChar,
    // looked up last, was not found or not looked for.
    Take(calls.queryInfoKey, ::RegQueryInfoKeyA);
    Take(calls.enumKey, ::RegEnumKeyExA);
    Take(calls.openKey, ::RegOpenKeyExA);
    Take(calls.createKey, ::RegCreateKeyExA);
    Take(calls.deleteKey, ::RegDeleteKeyA);
    Take(calls.deleteKeyEx, Wow64().deleteKeyEx);
    Take(calls.enumValue, ::RegEnumValueA);
    Take(calls.setValue, ::RegSetValueExA);
    return calls;
}

}  // namespace

const RegistryCalls& SystemRegistryCalls() {
    static const RegistryCalls calls = ChooseCalls();
    return calls;
}

}  // namespace platform::win32
