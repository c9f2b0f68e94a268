// The registry calls that copies and deletes by hand go through: the A calls
// on the 9x family, whose registry holds ANSI text, and the Unicode ("W")
// calls on the NT family, whose registry holds Unicode. There the A calls turn
// every character without a form in the system's ANSI code page into '?' (or
// a near letter), so a name or value read and written back through them is
// damaged; the W calls convert nothing. The W calls are looked up at run
// time, as Windows 95 exports none of them.
//
// The two sets differ only in the width of the characters their names point
// at, and their lengths count characters in both, so one body serves both:
// names are untyped here, in buffers of wchar_t, wide enough for either.
#pragma once

#include <windows.h>

#include "platform/registry.h"

namespace platform::win32 {

struct RegistryCalls {
    using Name = void*;
    using ConstName = const void*;
    using ToAnsiFunction = int(WINAPI*)(UINT, DWORD, LPCWSTR, int, LPSTR, int, LPCSTR, LPBOOL);
    using ToUnicodeFunction = int(WINAPI*)(UINT, DWORD, LPCSTR, int, LPWSTR, int);

    LONG(WINAPI* queryInfoKey)(HKEY, Name, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD,
                               LPDWORD, LPDWORD, LPDWORD, PFILETIME);
    LONG(WINAPI* enumKey)(HKEY, DWORD, Name, LPDWORD, LPDWORD, Name, LPDWORD, PFILETIME);
    LONG(WINAPI* openKey)(HKEY, ConstName, DWORD, REGSAM, PHKEY);
    LONG(WINAPI* createKey)(HKEY, ConstName, DWORD, Name, DWORD, REGSAM, LPSECURITY_ATTRIBUTES,
                            PHKEY, LPDWORD);
    LONG(WINAPI* deleteKey)(HKEY, ConstName);
    LONG(WINAPI* deleteKeyEx)(HKEY, ConstName, REGSAM, DWORD);  // null but on 64-bit Windows
    LONG(WINAPI* enumValue)(HKEY, DWORD, Name, LPDWORD, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(WINAPI* setValue)(HKEY, ConstName, DWORD, DWORD, const BYTE*, DWORD);
    // Set with the W calls only: the conversions the A calls make.
    ToAnsiFunction toAnsi;        // WideCharToMultiByte
    ToUnicodeFunction toUnicode;  // MultiByteToWideChar

    bool Wide() const { return toUnicode != nullptr; }
};

// The W calls where the system is of the NT family and has every one of
// them, else the A calls.
const RegistryCalls& SystemRegistryCalls();

}  // namespace platform::win32
