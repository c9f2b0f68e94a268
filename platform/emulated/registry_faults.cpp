// Bookkeeping of the injected registry faults.
#include "platform/emulated/registry_faults.h"

#include "platform/emulated/registry_tree.h"

namespace platform::emulated {

void RegistryFaults::FailEvery(RegOpMask ops, RegResult code) {
    everyOps_ = ops;
    everyCode_ = code;
}

void RegistryFaults::FailNth(std::uint64_t n, RegOpMask ops, RegResult code) {
    if (n == 0) return;
    nth_.push_back(NthFault{n, ops, code});
}

void RegistryFaults::FailWritesUnder(std::string fullPath, RegResult code) {
    paths_.push_back(PathFault{std::move(fullPath), code});
}

void RegistryFaults::Clear() {
    everyOps_ = 0;
    nth_.clear();
    paths_.clear();
}

RegResult RegistryFaults::OnOperation(RegOp op) {
    const RegOpMask bit = OpBit(op);
    ++counts_[static_cast<unsigned>(op)];
    RegResult result = kErrorSuccess;
    for (auto& fault : nth_) {
        if ((fault.ops & bit) == 0 || fault.remaining == 0) continue;
        if (--fault.remaining == 0 && result == kErrorSuccess) result = fault.code;
    }
    if (result == kErrorSuccess && (everyOps_ & bit) != 0) result = everyCode_;
    return result;
}

RegResult RegistryFaults::OnWrite(const std::string& fullPath) const {
    for (const auto& fault : paths_) {
        const std::string& prefix = fault.fullPath;
        if (fullPath.size() < prefix.size()) continue;
        if (!NamesEqual(std::string_view(fullPath).substr(0, prefix.size()), prefix)) continue;
        if (fullPath.size() == prefix.size() || fullPath[prefix.size()] == '\\') return fault.code;
    }
    return kErrorSuccess;
}

std::uint64_t RegistryFaults::Count(RegOpMask ops) const {
    std::uint64_t total = 0;
    for (unsigned i = 0; i < kRegOpCount; ++i) {
        if ((ops & (1u << i)) != 0) total += counts_[i];
    }
    return total;
}

}  // namespace platform::emulated
