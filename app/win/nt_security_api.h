// The NT family's security and shutdown functions, looked up in ADVAPI32 at
// run time. The tool must load on Windows 95, whose ADVAPI32 cannot be relied
// on to export them, and it calls them only on the NT family anyway.
#pragma once

#include <windows.h>

namespace app {

struct NtSecurityApi {
    decltype(&::ImpersonateSelf) ImpersonateSelf;
    decltype(&::OpenThreadToken) OpenThreadToken;
    decltype(&::OpenProcessToken) OpenProcessToken;
    decltype(&::AllocateAndInitializeSid) AllocateAndInitializeSid;
    decltype(&::GetLengthSid) GetLengthSid;
    decltype(&::FreeSid) FreeSid;
    decltype(&::InitializeSecurityDescriptor) InitializeSecurityDescriptor;
    decltype(&::InitializeAcl) InitializeAcl;
    decltype(&::AddAccessAllowedAce) AddAccessAllowedAce;
    decltype(&::SetSecurityDescriptorDacl) SetSecurityDescriptorDacl;
    decltype(&::SetSecurityDescriptorGroup) SetSecurityDescriptorGroup;
    decltype(&::SetSecurityDescriptorOwner) SetSecurityDescriptorOwner;
    decltype(&::IsValidSecurityDescriptor) IsValidSecurityDescriptor;
    decltype(&::AccessCheck) AccessCheck;
    decltype(&::RevertToSelf) RevertToSelf;
    decltype(&::LookupPrivilegeValueA) LookupPrivilegeValueA;
    decltype(&::AdjustTokenPrivileges) AdjustTokenPrivileges;
    decltype(&::InitiateSystemShutdownA) InitiateSystemShutdownA;
};

// All of them, or null when one is missing (never on the NT family).
const NtSecurityApi* LoadNtSecurityApi();

}  // namespace app
