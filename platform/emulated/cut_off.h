// The end of the process that works on an emulated machine, at a chosen
// moment: after its kth step that changes the machine nothing more happens,
// as if the process had been ended from outside or the power had gone.
//
// A step is one change that a real disk or registry makes on its own: a value
// set or deleted, a key created or deleted, a file moved or deleted or given
// attributes, a folder made or removed. A call that Windows carries out as a
// sequence of such changes is as many steps, so a cut can leave it half done
// the way the real call would be left: a key tree copy is one step per key
// made and per value written, in the shell's order; a key tree delete one
// step per key, children first; a file copy or a saved hive the empty file
// first, then its first half, then the rest. Reads change nothing and are no
// steps, but once the cut has come they fail like every other call.
#pragma once

#include <cstdint>

namespace platform::emulated {

class CutOff {
  public:
    // `steps` more steps happen; the one after them is cut off, and with it
    // everything later.
    void After(std::uint64_t steps);
    // The program runs again: every step happens, and goes on being counted.
    void Lift();

    // Asked before each step: true when it happens (it is then counted).
    bool Step();
    // True from the moment the last allowed step happened.
    bool Gone() const { return armed_ && taken_ >= limit_; }
    // Steps taken so far, whole runs and cut ones alike.
    std::uint64_t Taken() const { return taken_; }

  private:
    bool armed_ = false;
    std::uint64_t limit_ = 0;
    std::uint64_t taken_ = 0;
};

}  // namespace platform::emulated
