// The error paths of the standard containers that the program can reach.
// The C++ library reports them by throwing, and the program links no C++
// library (app/CMakeLists.txt): a compiler whose headers call another of
// these fails the link by its name. The program never asks a container for
// more than it can hold, so these are faults of the program: it ends at once.
#include <cstdlib>

namespace std {

[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
[[noreturn]] void __throw_bad_alloc() { std::abort(); }

}  // namespace std
