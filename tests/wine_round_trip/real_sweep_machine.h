// The real machine of a scratch Wine prefix, swept the way Dravolin.exe sweeps
// it: RunSweep over the Win32 backends, the family from GetVersionExA, and on
// 64-bit Windows the backends of the native view beside. Knows the places a
// sweep touches in every view, their picture as the prefix was when the test
// began, and the way back to it between machines, so every machine starts
// from a fresh prefix as far as a sweep can see.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/win32_ansi_text.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "sweep/report_buffer.h"
#include "sweep/sweep_context.h"
#include "tests/machines/machine_generator.h"
#include "tests/wine_round_trip/machine_picture.h"

namespace winetest {

class RealSweepMachine {
  public:
    // The one machine of this test program: its pristine picture is taken
    // when it is first asked for, before any test has changed the prefix.
    static RealSweepMachine& Shared();

    platform::PlatformKind Kind() const { return context_.platformKind; }
    // True when the sweep works on the native view as well.
    bool SweepsNativeView() const { return context_.nativeRegistry != nullptr; }
    const test::MachineLayout& Layout() const { return layout_; }
    MachinePicture Take() const { return TakePicture(places_); }
    // Back to the prefix as it was; answers what could not be undone.
    std::vector<Difference> Reset() { return ResetTo(pristine_, places_); }
    int Sweep(sweep::SweepMode mode) { return RunSweep(context_, mode); }
    sweep::SweepContext& Context() { return context_; }
    const sweep::ReportBuffer& Report() const { return *report_; }

  private:
    RealSweepMachine();
    static int RunSweep(sweep::SweepContext& context, sweep::SweepMode mode);

    platform::win32::Win32Registry registry_;
    platform::win32::Win32FileSystem files_;
    platform::win32::Win32Desktop desktop_;
    platform::win32::Win32AnsiText text_;
    platform::win32::Win32Registry nativeRegistry_{platform::win32::Win32Registry::ShellFunctions::kAvoid,
                                                   platform::win32::View::kNative};
    platform::win32::Win32FileSystem nativeFiles_{platform::win32::View::kNative};
    std::unique_ptr<sweep::ReportBuffer> report_;
    sweep::SweepContext context_;
    test::MachineLayout layout_;
    PicturePlaces places_;
    MachinePicture pristine_;
};

// What of the differences between a machine before New Driver and after Old
// Driver the sweep does not leave by design. What it leaves by design: the
// ASPI warning entry put aside for good, with the copy of its key in the twin
// key; empty twin keys below a control set and each view's OldSharedDLLs key;
// each view's hive backup file; the "Dravolin" backup folders; the
// "_Disabled" siblings of the Startup folders with their empty folder tree.
std::vector<Difference> Unexplained(const std::vector<Difference>& differences,
                                    const MachinePicture& before, const RealSweepMachine& machine);

// How many machines a run sweeps: the variable's number, or `otherwise`.
int MachinesToRun(const char* variable, int otherwise);

}  // namespace winetest
