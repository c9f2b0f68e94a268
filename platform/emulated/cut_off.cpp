// Counting the steps of an emulated machine up to its cut.
#include "platform/emulated/cut_off.h"

namespace platform::emulated {

void CutOff::After(std::uint64_t steps) {
    armed_ = true;
    limit_ = taken_ + steps;
}

void CutOff::Lift() {
    armed_ = false;
}

bool CutOff::Step() {
    if (Gone()) return false;
    ++taken_;
    return true;
}

}  // namespace platform::emulated
