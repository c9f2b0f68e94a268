// The one instance of the process state.
#include "app/win/process_state.h"

namespace app {

ProcessState& Process() {
    static ProcessState state;
    return state;
}

}  // namespace app
