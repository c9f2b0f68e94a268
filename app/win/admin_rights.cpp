// The administrator check: ImpersonateSelf, the thread's (or the process's)
// token, and AccessCheck against a DACL that allows S-1-5-32-544 alone.
#include "app/win/admin_rights.h"

#include <windows.h>

#include "app/win/nt_security_api.h"
#include "app/win/unique_handle.h"

namespace app {
namespace {

constexpr DWORD kAdminAccess = 1;        // the one right the check asks for
constexpr DWORD kAceAccessMask = 3;      // read and write rights of the ACE
constexpr DWORD kAceHeaderAndMask = 16;  // ACL header (8) + ACE up to its SID (8)
constexpr DWORD kPrivilegeSetBytes = 20;

// Frees what LocalAlloc returned, once.
struct LocalMemory {
    HLOCAL memory = nullptr;
    ~LocalMemory() {
        if (memory) LocalFree(memory);
    }
};

struct Sid {
    const NtSecurityApi* api;
    PSID sid = nullptr;
    ~Sid() {
        if (sid) api->FreeSid(sid);
    }
};

// Ends the impersonation on the early exits too, so a failed check never
// leaves the user-interface thread on its impersonation token.
struct Impersonation {
    const NtSecurityApi* api;
    bool active = true;
    bool End() {
        active = false;
        return api->RevertToSelf() != FALSE;
    }
    ~Impersonation() {
        if (active) api->RevertToSelf();
    }
};

UniqueHandle OpenUserToken(const NtSecurityApi& api) {
    UniqueHandle token;
    if (api.OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, token.put())) return token;
    if (GetLastError() != ERROR_NO_TOKEN) return UniqueHandle();
    if (!api.OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return UniqueHandle();
    return token;
}

}  // namespace

int CheckAdminRights() {
    const NtSecurityApi* api = LoadNtSecurityApi();
    if (!api) return 0;

    BOOL accessStatus = FALSE;
    if (!api->ImpersonateSelf(SecurityImpersonation)) return 0;
    Impersonation impersonation{api};
    UniqueHandle token = OpenUserToken(*api);
    if (!token) return 0;

    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    Sid administrators{api};
    if (!api->AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                       DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                       &administrators.sid)) {
        return 0;
    }

    LocalMemory descriptorMemory{LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH)};
    auto descriptor = static_cast<PSECURITY_DESCRIPTOR>(descriptorMemory.memory);
    if (!descriptor) return 0;
    if (!api->InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION)) return 0;

    const DWORD aclBytes = api->GetLengthSid(administrators.sid) + kAceHeaderAndMask;
    LocalMemory aclMemory{LocalAlloc(LPTR, aclBytes)};
    auto acl = static_cast<PACL>(aclMemory.memory);
    if (!acl) return 0;
    if (!api->InitializeAcl(acl, aclBytes, ACL_REVISION2)) return 0;
    if (!api->AddAccessAllowedAce(acl, ACL_REVISION2, kAceAccessMask, administrators.sid)) return 0;

    if (!api->SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE)) return 0;
    if (!api->SetSecurityDescriptorGroup(descriptor, administrators.sid, FALSE)) return 0;
    if (!api->SetSecurityDescriptorOwner(descriptor, administrators.sid, FALSE)) return 0;
    if (!api->IsValidSecurityDescriptor(descriptor)) return 0;

    GENERIC_MAPPING mapping = {1, 2, 0, 3};  // read, write, execute, all
    BYTE privilegeSet[kPrivilegeSetBytes] = {};
    DWORD privilegeSetLength = kPrivilegeSetBytes;
    DWORD grantedAccess = 0;
    if (api->AccessCheck(descriptor, token.get(), kAdminAccess, &mapping,
                         reinterpret_cast<PPRIVILEGE_SET>(privilegeSet), &privilegeSetLength,
                         &grantedAccess, &accessStatus)) {
        if (!impersonation.End()) return 0;
    }
    return accessStatus ? 1 : 0;
}

}  // namespace app
