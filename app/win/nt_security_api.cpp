// Run-time lookup of the NT security and shutdown functions.
#include "app/win/nt_security_api.h"

namespace app {
namespace {

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

bool ResolveAll(NtSecurityApi& api) {
    // Kept loaded for the whole run: the pointers must stay valid.
    HMODULE advapi = LoadLibraryA("ADVAPI32.DLL");
    if (!advapi) return false;
    return Resolve(advapi, "ImpersonateSelf", api.ImpersonateSelf) &&
           Resolve(advapi, "OpenThreadToken", api.OpenThreadToken) &&
           Resolve(advapi, "OpenProcessToken", api.OpenProcessToken) &&
           Resolve(advapi, "AllocateAndInitializeSid", api.AllocateAndInitializeSid) &&
           Resolve(advapi, "GetLengthSid", api.GetLengthSid) &&
           Resolve(advapi, "FreeSid", api.FreeSid) &&
           Resolve(advapi, "InitializeSecurityDescriptor", api.InitializeSecurityDescriptor) &&
           Resolve(advapi, "InitializeAcl", api.InitializeAcl) &&
           Resolve(advapi, "AddAccessAllowedAce", api.AddAccessAllowedAce) &&
           Resolve(advapi, "SetSecurityDescriptorDacl", api.SetSecurityDescriptorDacl) &&
           Resolve(advapi, "SetSecurityDescriptorGroup", api.SetSecurityDescriptorGroup) &&
           Resolve(advapi, "SetSecurityDescriptorOwner", api.SetSecurityDescriptorOwner) &&
           Resolve(advapi, "IsValidSecurityDescriptor", api.IsValidSecurityDescriptor) &&
           Resolve(advapi, "AccessCheck", api.AccessCheck) &&
           Resolve(advapi, "RevertToSelf", api.RevertToSelf) &&
           Resolve(advapi, "LookupPrivilegeValueA", api.LookupPrivilegeValueA) &&
           Resolve(advapi, "AdjustTokenPrivileges", api.AdjustTokenPrivileges) &&
           Resolve(advapi, "InitiateSystemShutdownA", api.InitiateSystemShutdownA);
}

}  // namespace

const NtSecurityApi* LoadNtSecurityApi() {
    static NtSecurityApi api;
    static const bool complete = ResolveAll(api);
    return complete ? &api : nullptr;
}

}  // namespace app
