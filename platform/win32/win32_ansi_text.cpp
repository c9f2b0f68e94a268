// The system's code page through its own calls.
#include "platform/win32/win32_ansi_text.h"

namespace platform::win32 {

Win32AnsiText::Win32AnsiText(ShellSearch shell)
    : shell_(shell == ShellSearch::kUse ? ::LoadLibraryA("shlwapi.dll") : nullptr) {
    // Both are mapped into every process that imports from them, for its
    // whole life: no reference is taken, so none is to be given back.
    isLeadByte_ =
        LookUp<IsLeadByteFunction>(::GetModuleHandleA("kernel32.dll"), "IsDBCSLeadByte");
    charLower_ = LookUp<CharLowerFunction>(::GetModuleHandleA("user32.dll"), "CharLowerA");
    strStrI_ = LookUp<StrStrIFunction>(shell_.Get(), "StrStrIA");
}

bool Win32AnsiText::IsLeadByte(unsigned char byte) const {
    return isLeadByte_ != nullptr && isLeadByte_(byte) != FALSE;
}

bool Win32AnsiText::Contains(const char* searched, const char* sought) const {
    if (searched == nullptr || sought == nullptr || *sought == '\0') return false;
    if (strStrI_ != nullptr) return strStrI_(searched, sought) != nullptr;
    return ContainsByCharacters(*this, searched, sought, [this](const char* c, std::size_t length) {
        char lowered[] = {c[0], length == 2 ? c[1] : '\0', '\0'};
        if (charLower_ != nullptr) charLower_(lowered);
        return static_cast<unsigned char>(lowered[0]) | static_cast<unsigned char>(lowered[1]) << 8;
    });
}

}  // namespace platform::win32
