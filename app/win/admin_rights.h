// Whether the user may change drivers: an access check of the user's token
// against a security descriptor that grants access to Administrators only.
#pragma once

namespace app {

// Nonzero when the token holds the Administrators group enabled; 0 when it
// does not or any step fails. Called on the NT family only.
int CheckAdminRights();

}  // namespace app
