// Any sequence of assignments, appends, joins and trailing-backslash changes
// on a path buffer: the path never outgrows 259 characters, a refused change
// leaves it as it was, an accepted one gives exactly the joined text.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/emulated/emulated_ansi_text.h"
#include "sweep/path_buffer.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

enum Step : unsigned char { kAssign, kAppend, kJoin, kAddBackslash, kCutBackslash, kSteps };

// A single-byte code page, where the model's last byte is the last character.
const platform::emulated::EmulatedAnsiText kWestern;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    sweep::PathBuffer path, other;
    std::string model;
    while (!input.empty()) {
        std::string_view part = fuzz::NextPart(input);
        if (part.empty()) continue;
        const auto step = static_cast<Step>(static_cast<unsigned char>(part.front()) % kSteps);
        part.remove_prefix(1);
        // Texts with a zero byte cannot be paths; the buffer keeps C strings.
        part = part.substr(0, part.find('\0'));
        std::string wanted = model;
        bool accepted = false;
        switch (step) {
            case kAssign:
                accepted = path.Assign(part);
                wanted = part;
                break;
            case kAppend:
                accepted = path.Append(part);
                wanted = model + std::string(part);
                break;
            case kJoin: {
                const bool otherSet = other.Assign(part);
                FUZZ_CHECK(otherSet == (part.size() <= sweep::kMaxPathLength));
                accepted = path.Join(other, model);
                wanted = std::string(other.View()) + "\\" + model;
                break;
            }
            case kAddBackslash:
                accepted = sweep::AdjustTrailingBackslash(kWestern, path, true);
                if (model.empty() || model.back() != '\\') wanted += '\\';
                break;
            case kCutBackslash:
                accepted = sweep::AdjustTrailingBackslash(kWestern, path, false);
                if (!model.empty() && model.back() == '\\') wanted.pop_back();
                break;
            default:
                break;
        }
        FUZZ_CHECK(path.Length() <= sweep::kMaxPathLength);
        FUZZ_CHECK(path.Text()[path.Length()] == '\0');
        if (wanted.size() <= sweep::kMaxPathLength && (accepted || step == kCutBackslash)) {
            model = wanted;
        }
        FUZZ_CHECK(accepted == (wanted.size() <= sweep::kMaxPathLength) || step == kCutBackslash);
        FUZZ_CHECK(path.View() == model);
        FUZZ_CHECK(path.Empty() == model.empty());
    }
    return 0;
}
