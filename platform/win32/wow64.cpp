// The calls of the 32-bit layer of 64-bit Windows, looked up at run time.
#include "platform/win32/wow64.h"

#include "platform/win32/unique_handles.h"

namespace platform::win32 {
namespace {

using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);

Wow64Calls LookUpWow64() {
    Wow64Calls calls;
    // Both are mapped into every process for its whole life: no reference
    // is taken, so none is to be given back.
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    HMODULE advapi = ::GetModuleHandleA("advapi32.dll");
    auto isWow64 = LookUp<IsWow64Function>(kernel, "IsWow64Process");
    BOOL wow64 = FALSE;
    if (isWow64 == nullptr || !isWow64(::GetCurrentProcess(), &wow64) || !wow64) return calls;
    calls.underWow64 = true;
    calls.disableRedirection =
        LookUp<Wow64Calls::DisableFunction>(kernel, "Wow64DisableWow64FsRedirection");
    calls.revertRedirection =
        LookUp<Wow64Calls::RevertFunction>(kernel, "Wow64RevertWow64FsRedirection");
    calls.deleteKeyEx = LookUp<Wow64Calls::DeleteKeyFunction>(advapi, "RegDeleteKeyExA");
    return calls;
}

}  // namespace

const Wow64Calls& Wow64() {
    static const Wow64Calls calls = LookUpWow64();
    return calls;
}

bool HasNativeView() {
    const Wow64Calls& calls = Wow64();
    return calls.underWow64 && calls.disableRedirection != nullptr &&
           calls.revertRedirection != nullptr && calls.deleteKeyEx != nullptr;
}

NativeFilesScope::NativeFilesScope() {
    const Wow64Calls& calls = Wow64();
    if (calls.underWow64 && calls.disableRedirection != nullptr &&
        calls.revertRedirection != nullptr) {
        turnedOff_ = calls.disableRedirection(&previous_) != FALSE;
    }
}

NativeFilesScope::~NativeFilesScope() {
    if (turnedOff_) Wow64().revertRedirection(previous_);
}

}  // namespace platform::win32
