// Fault injection for the in-memory registry: make every operation of some
// kinds fail, make the Nth operation among some kinds fail once, or make every
// write below a key fail as a key whose security forbids writing would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace platform::emulated {

enum class RegOp : unsigned {
    Open,
    Create,
    Query,
    Set,
    DeleteValue,
    Enum,
    CopyTree,
    DeleteTree,
    DeleteValueAt,
    CopyValue,
    CheckAnsiName,
    SaveKey,
};
inline constexpr unsigned kRegOpCount = static_cast<unsigned>(RegOp::SaveKey) + 1;
using RegOpMask = unsigned;

constexpr RegOpMask OpBit(RegOp op) {
    return 1u << static_cast<unsigned>(op);
}
inline constexpr RegOpMask kAllRegOps = (1u << kRegOpCount) - 1;
// The operations that change the registry.
inline constexpr RegOpMask kRegChangingOps = OpBit(RegOp::Create) | OpBit(RegOp::Set) |
                                             OpBit(RegOp::DeleteValue) | OpBit(RegOp::CopyTree) |
                                             OpBit(RegOp::DeleteTree) | OpBit(RegOp::DeleteValueAt) |
                                             OpBit(RegOp::CopyValue);

class RegistryFaults {
  public:
    // Every later operation of a kind in `ops` fails with `code`.
    void FailEvery(RegOpMask ops, RegResult code);
    // The `n`th operation (1 = the next) among the kinds in `ops` fails once.
    void FailNth(std::uint64_t n, RegOpMask ops, RegResult code);
    // Every write to a key at or below `fullPath` ("HKEY_LOCAL_MACHINE\..." as
    // the machine names it) fails: creating, setting, deleting a value or key,
    // and the writes of a copy into it. Opening and reading still work.
    void FailWritesUnder(std::string fullPath, RegResult code);
    void Clear();

    // Called once per operation: counts it and gives the injected result.
    RegResult OnOperation(RegOp op);
    // Called for each key a write touches, by its full path.
    RegResult OnWrite(const std::string& fullPath) const;

    std::uint64_t Count(RegOpMask ops) const;

  private:
    struct NthFault {
        std::uint64_t remaining;
        RegOpMask ops;
        RegResult code;
    };
    struct PathFault {
        std::string fullPath;
        RegResult code;
    };
    RegOpMask everyOps_ = 0;
    RegResult everyCode_ = kErrorSuccess;
    std::vector<NthFault> nth_;
    std::vector<PathFault> paths_;
    std::uint64_t counts_[kRegOpCount] = {};
};

}  // namespace platform::emulated
