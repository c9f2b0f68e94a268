// The memory and string functions of the C library that the program and the
// compiler's own code call. Plain loops: the program moves at most a report
// of some kilobytes at a time. The file is built without the compiler's
// built-in knowledge of these functions, which would otherwise turn each loop
// back into a call of the function it is in.
#include <cstddef>
#include <cstring>

using Byte = unsigned char;

extern "C" void* memcpy(void* to, const void* from, std::size_t size) {
    Byte* out = static_cast<Byte*>(to);
    const Byte* in = static_cast<const Byte*>(from);
    while (size-- > 0) *out++ = *in++;
    return to;
}

extern "C" void* memmove(void* to, const void* from, std::size_t size) {
    Byte* out = static_cast<Byte*>(to);
    const Byte* in = static_cast<const Byte*>(from);
    if (out <= in || out >= in + size) return memcpy(to, from, size);
    while (size-- > 0) out[size] = in[size];
    return to;
}

extern "C" void* memset(void* to, int value, std::size_t size) {
    Byte* out = static_cast<Byte*>(to);
    while (size-- > 0) *out++ = static_cast<Byte>(value);
    return to;
}

extern "C" int memcmp(const void* left, const void* right, std::size_t size) {
    const Byte* a = static_cast<const Byte*>(left);
    const Byte* b = static_cast<const Byte*>(right);
    for (; size > 0; --size, ++a, ++b) {
        if (*a != *b) return *a < *b ? -1 : 1;
    }
    return 0;
}

extern "C" void* memchr(const void* memory, int value, std::size_t size) {
    const Byte* at = static_cast<const Byte*>(memory);
    for (; size > 0; --size, ++at) {
        if (*at == static_cast<Byte>(value)) return const_cast<Byte*>(at);
    }
    return nullptr;
}

extern "C" std::size_t strlen(const char* text) {
    std::size_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

extern "C" int strncmp(const char* left, const char* right, std::size_t size) {
    for (; size > 0; --size, ++left, ++right) {
        const Byte a = static_cast<Byte>(*left);
        const Byte b = static_cast<Byte>(*right);
        if (a != b) return a < b ? -1 : 1;
        if (a == '\0') break;
    }
    return 0;
}

extern "C" int strcmp(const char* left, const char* right) {
    return strncmp(left, right, static_cast<std::size_t>(-1));
}

extern "C" char* strstr(const char* text, const char* part) {
    const std::size_t partLength = strlen(part);
    if (partLength == 0) return const_cast<char*>(text);
    for (; *text != '\0'; ++text) {
        if (strncmp(text, part, partLength) == 0) return const_cast<char*>(text);
    }
    return nullptr;
}

extern "C" std::size_t strnlen(const char* text, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return length;
}
