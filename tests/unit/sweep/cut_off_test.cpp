// New Driver and Old Driver cut off at every step on the rich machine of each
// family: the process ends after its kth change to the registry or the disk,
// half-done copies and deletes of key trees and files included, and the user
// starts the tool again. Whatever the moment, once the commands the user
// presses next have run, every key, value, file and folder stands as a cut
// nowhere leaves it: in its place, in its own view on 64-bit Windows, whole,
// with its type, bytes and attributes, and nowhere twice. The 64-bit machine
// takes about twice the steps at twice the cost each: it is cut at every
// kWow64CutStride-th step, each scenario from another first step
// (DRAVOLIN_CUT_STRIDE_64=1 for every step).
#include <doctest/doctest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "sweep/file_moves.h"
#include "sweep/run_sweep.h"
#include "tests/unit/sweep/machine_items.h"
#include "tests/unit/sweep/rich_machine.h"

namespace {

using test::Bitness;
using test::Family;
using test::Item;

// On the 64-bit machine one step in so many is a cut point.
constexpr std::uint64_t kWow64CutStride = 4;

enum class Command { NewDriver, OldDriver };

// A button press: the sweep, then the report sweep whose report is shown.
void Press(test::SweepMachine& m, Command command) {
    sweep::RunSweep(m.context,
                    command == Command::NewDriver ? sweep::SWEEP_DISABLE : sweep::SWEEP_RESTORE);
    sweep::RunSweep(m.context, sweep::SWEEP_REPORT);
}

struct Scenario {
    const char* name;
    std::vector<Command> first;  // pressed and finished before the cut one
    Command cut;
    std::vector<Command> then;  // pressed once the tool runs again
};

const Scenario kScenarios[] = {
    {"New Driver cut off, then Old Driver", {}, Command::NewDriver, {Command::OldDriver}},
    {"Old Driver cut off after New Driver, then Old Driver",
     {Command::NewDriver},
     Command::OldDriver,
     {Command::OldDriver}},
    {"New Driver cut off, then New Driver and Old Driver",
     {},
     Command::NewDriver,
     {Command::NewDriver, Command::OldDriver}},
};

// The rich machine after the scenario, its cut command stopped after `steps`
// (none: not stopped); the steps that command took are in `taken`.
std::set<Item> Run(const Family& family, const Scenario& scenario, const std::uint64_t* steps,
                   std::set<Item>* before = nullptr, std::uint64_t* taken = nullptr) {
    const test::RichMachine rich(family.kind, family.bitness);
    test::SweepMachine m(family.kind, rich.reg, rich.manifest, family.bitness);
    if (before != nullptr) *before = test::Items(m);
    for (Command command : scenario.first) Press(m, command);
    const std::uint64_t start = m.cutOff.Taken();
    if (steps != nullptr) m.cutOff.After(*steps);
    Press(m, scenario.cut);
    m.cutOff.Lift();
    if (taken != nullptr) *taken = m.cutOff.Taken() - start;
    for (Command command : scenario.then) Press(m, command);
    CHECK(m.registry.OpenHandleCount() == 0);
    return test::Items(m);
}

bool IsFolderBelowSibling(const Item& item) {
    return item.what.rfind("folder", 0) == 0 && item.place.find("_disabled") != std::string::npos;
}

bool IsEngineItem(const Item& item) {
    return item.what != "key" && test::IsEngineLibrary(test::NameOf(item.place));
}

// The engine copy the cut interrupted, under its scratch name: the next New
// Driver replaces it, as no Old Driver touches engine libraries.
bool IsEngineScratch(const Item& item) {
    return test::NameOf(item.place) == test::Lower(sweep::kCopyScratchFile);
}

// What differs from a run that no cut interrupted, other than what a cut may
// leave by design:
// - engine libraries, never brought back, may stand at their own place or at
//   their put-aside places, but each copy whole, as some library was before;
// - a "_Disabled" sibling may keep its empty folder tree, as after an Old
//   Driver that found nothing to bring back;
// - keys that are no longer the same set may differ only by keys the tool
//   makes empty (twin parents): every key of before is there.
std::vector<std::string> Unexplained(const std::set<Item>& before, const std::set<Item>& reference,
                                     const std::set<Item>& after, const std::string& system) {
    std::vector<std::string> unexplained;
    auto compared = [](const Item& item) {
        return item.what != "key" && !IsEngineItem(item) && !IsFolderBelowSibling(item) &&
               !IsEngineScratch(item);
    };
    std::set<Item> keysAndLibraries;  // of before, to be found at their places
    std::set<std::pair<std::string, std::string>> wholeLibraries;  // name and what, of before
    for (const Item& item : before) {
        if (item.what != "key" && !IsEngineItem(item)) continue;
        keysAndLibraries.insert(item);
        if (item.what != "key") wholeLibraries.insert({test::NameOf(item.place), item.what});
    }
    for (const Item& item : reference) {
        if (compared(item) && !after.count(item)) {
            unexplained.push_back("missing " + item.place + " " + item.what);
        }
    }
    for (const Item& item : after) {
        if (compared(item) && !reference.count(item)) {
            unexplained.push_back("extra " + item.place + " " + item.what);
        }
        if (item.what == "key" && !before.count(item) && !reference.count(item)) {
            unexplained.push_back("extra key " + item.place);
        }
        if (IsEngineItem(item) && !wholeLibraries.count({test::NameOf(item.place), item.what})) {
            unexplained.push_back("not whole " + item.place + " " + item.what);
        }
    }
    for (const std::string& lost : test::Lost(keysAndLibraries, after, system)) {
        unexplained.push_back("lost " + lost);
    }
    return unexplained;
}

// Every `stride`-th step from a first step of each scenario's own.
void CutEverywhere(const Family& family, std::uint64_t stride = 1) {
    const std::string system = family.bitness == Bitness::k64       ? test::kWow64SystemFolder
                               : family.kind == platform::PLATFORM_NT ? test::kNtSystemFolder
                                                                      : test::kWin9xSystemFolder;
    std::uint64_t first = 0;
    for (const Scenario& scenario : kScenarios) {
        const std::string name = scenario.name;
        CAPTURE(name);
        std::set<Item> before;
        std::uint64_t steps = 0;
        const std::set<Item> reference = Run(family, scenario, nullptr, &before, &steps);
        REQUIRE(steps > 50);
        std::uint64_t cuts = 0;
        // The last step included: cut after the last step is no cut.
        for (std::uint64_t k = first++ % stride; k <= steps; k += stride, ++cuts) {
            CAPTURE(k);
            const std::vector<std::string> unexplained =
                Unexplained(before, reference, Run(family, scenario, &k), system);
            CHECK_MESSAGE(unexplained.empty(), "cut after step " << k << " of " << steps << ":"
                                                                 << test::Listed(unexplained));
        }
        MESSAGE(name << ": " << cuts << " cut points of " << steps << " steps");
    }
}

}  // namespace

TEST_CASE("NT family: New Driver and Old Driver cut off at any step lose nothing") {
    CutEverywhere({platform::PLATFORM_NT});
}

TEST_CASE("9x family: New Driver and Old Driver cut off at any step lose nothing") {
    CutEverywhere({platform::PLATFORM_9X});
}

TEST_CASE("64-bit NT family: New Driver and Old Driver cut off at any step lose nothing") {
    const char* chosen = std::getenv("DRAVOLIN_CUT_STRIDE_64");
    const std::uint64_t stride = chosen != nullptr ? std::strtoull(chosen, nullptr, 10) : kWow64CutStride;
    CutEverywhere({platform::PLATFORM_NT, Bitness::k64}, std::max<std::uint64_t>(1, stride));
}
