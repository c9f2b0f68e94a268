// The process-wide state of Dravolin, in one place: the report buffer, the
// language, the platform family, the rights and action flags, the restart
// request, the instance and the main dialog.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/platform_kind.h"
#include "sweep/report_buffer.h"

namespace app {

struct ProcessState {
    std::unique_ptr<sweep::ReportBuffer> reportBuffer;
    int languageIndex = 1;
    platform::PlatformKind platformKind = platform::PLATFORM_UNSUPPORTED;
    int hasAdminRights = 1;   // cleared only by the check on the NT family
    int actionsAllowed = 1;   // cleared only while the dialog initialises
    int rebootRequested = 0;  // set when the user agrees to the restart
    HINSTANCE instance = nullptr;
    HWND mainDialog = nullptr;
    HCURSOR waitCursor = nullptr;
};

ProcessState& Process();

}  // namespace app
