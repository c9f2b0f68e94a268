// The filter drivers of the CD-ROM device class and the ASPI version-warning
// entry.
#include "sweep/registry_locations.h"
#include "sweep/registry_stage.h"

namespace sweep {

int SweepClassFilters(SweepContext& context, SweepMode mode) {
    int count = 0;
    if (context.platformKind == platform::PLATFORM_NT) {
        // Both calls share one twin key: it keeps the first call's LowerFilters
        // when the second copies the class key into it again.
        count = SweepControlSetKey(context, mode, kCdRomClassKey, kLowerFiltersValue) +
                SweepControlSetKey(context, mode, kCdRomClassKey, kUpperFiltersValue);
    }
    // The warning entry is put aside by every sweep, whatever its mode, and
    // never brought back; it does not count.
    SweepControlSetKey(context, SWEEP_DISABLE, kWarnVerDllsKey, kWinAspiValue);
    return count;
}

}  // namespace sweep
