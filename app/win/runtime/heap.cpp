// The C allocation functions the program and the C++ library's containers
// use, over the process heap, which every Windows has.
#include <windows.h>

#include <cstdlib>

extern "C" void* malloc(std::size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size);
}

extern "C" void free(void* memory) {
    if (memory != nullptr) HeapFree(GetProcessHeap(), 0, memory);
}
