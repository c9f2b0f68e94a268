// How a report over both views of 64-bit Windows shows a thing once. The
// program's own view is listed first, and what it listed is kept; a finding
// of the native view is then listed unless the own view listed the same one.
// So only what was really listed hides anything: a value that did not fit the
// buffers, lay beyond the values a walk examines or stood in a key that did
// not open hides nothing, and a report that counts its lines never says
// there is nothing where a sweep will put a native finding aside.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/registry.h"
#include "sweep/registry_text.h"

namespace sweep {

enum class ViewRole { Own, Native };

// A finding as the rule compares it: the name its line starts with, and the
// data it holds, type and bytes. A line that shows no data gives the kind of
// line for the type and no bytes.
struct Finding {
    const char* name;
    std::uint32_t type;
    const std::uint8_t* data;
    std::uint32_t size;
};

// 64 bits of a finding; letter case counts only where a name holds bytes
// beyond ASCII, which may be double-byte characters. Two different findings
// share a fingerprint about once in 10^19.
std::uint64_t FingerprintOf(const Finding& finding);

// The findings of one listing over both views, for up to kCapacity different
// findings of the own view.
template <std::size_t kCapacity>
class ShownOnce {
  public:
    // Whether the report lists `finding`, met in `view`: every finding of the
    // own view, which is then kept, so it must come before the native one it
    // is to hide; a native one unless the own view's is kept. One the record
    // has no room for is kept nowhere and hides nothing.
    bool Lists(ViewRole view, const Finding& finding) {
        const std::uint64_t print = FingerprintOf(finding);
        for (std::size_t i = 0; i < count_; ++i) {
            if (prints_[i] == print) return view == ViewRole::Own;
        }
        if (view == ViewRole::Own && count_ < kCapacity) prints_[count_++] = print;
        return true;
    }

  private:
    std::uint64_t prints_[kCapacity];
    std::size_t count_ = 0;
};

// The values of one key that the walks of a report list, each at most once
// per view: no more than a walk examines.
using ValuesShownOnce = ShownOnce<kMaxValuesExamined>;

}  // namespace sweep
