// The program's heap allocation, over malloc and free (runtime/heap.cpp). The
// C++ runtime's own operator new reports a shortage by throwing, and linking
// it brings in the whole exception machinery, which this program, built
// without exceptions, has no use for. A shortage where an object must exist
// ends the program, as the runtime's unhandled exception would; the nothrow
// form answers null, for the callers that show nothing instead. The program
// links no C++ library (app/CMakeLists.txt), so the tag of that form is
// defined here too.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

void* Take(std::size_t size) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}

void* TakeOrEnd(std::size_t size) noexcept {
    void* memory = Take(size);
    if (memory == nullptr) std::abort();
    return memory;
}

}  // namespace

namespace std {
const nothrow_t nothrow{};
}  // namespace std

void* operator new(std::size_t size) {
    return TakeOrEnd(size);
}
void* operator new[](std::size_t size) {
    return TakeOrEnd(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Take(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Take(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
