// The three error paths of the standard containers that the program can
// reach. libstdc++ reports them by throwing logic errors, and its object that
// does so drags in the whole string and random-device machinery, with imports
// that the oldest Windows lack. The program never asks a container for more
// than it can hold, so these are faults of the program: it ends at once.
#include <cstdlib>

namespace std {

[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
[[noreturn]] void __throw_bad_alloc() { std::abort(); }

}  // namespace std
