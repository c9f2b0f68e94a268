// Makes the scratch prefix's CurrentControlSet what it is on real NT: a
// registry link to ControlSet001, which takes over the key's content.
#pragma once

namespace wine_stage {

// True when the link is made and a value written through it is read back
// below ControlSet001. Meant for a scratch prefix only: it replaces the
// prefix's own CurrentControlSet key.
bool MakeControlSetLink();

}  // namespace wine_stage
