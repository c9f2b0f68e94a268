/* Symbol and section spelling for the bridge's assembly, so one source serves
 * two object formats: the PE/COFF library itself, and the i386 ELF build in
 * which the frame tests run on a Linux host (or its emulator). PE puts an
 * underscore before C names and "@bytes" after stdcall names and reaches
 * imported functions through "__imp_" pointers; ELF does none of that.
 * Include only from .S files. */
#ifndef BRIDGE_ASM_NAMES_H
#define BRIDGE_ASM_NAMES_H

/* RELAY_SECTION holds the thunk block: the connection service writes relay
 * code into it while the library loads, and the stubs then call that code,
 * so it must be writable and executable. In the library it is a section of
 * its own flagged so; the frame tests' fake service makes its plain data
 * executable itself. */
#if defined(_WIN32)
#define C_NAME(name) _##name
#define RODATA_SECTION .section .rdata, "dr"
#define RELAY_SECTION .section .relays, "dwx"
#else
#define C_NAME(name) name
#define RODATA_SECTION .section .rodata
#define RELAY_SECTION .data
#endif

/* A global stdcall function label: "_name@bytes" on PE, "name" on ELF. */
.macro STDCALL_ENTRY name, bytes
#if defined(_WIN32)
    .globl _\name\()@\bytes
_\name\()@\bytes:
#else
    .globl \name
    .type \name, @function
\name:
#endif
.endm

/* A global label reachable from C and C++ under the plain name. */
.macro C_ENTRY name
#if defined(_WIN32)
    .globl _\name
_\name:
#else
    .globl \name
\name:
#endif
.endm

/* A direct call of a stdcall function of this library. */
.macro CALL_STDCALL name, bytes
#if defined(_WIN32)
    call _\name\()@\bytes
#else
    call \name
#endif
.endm

/* Calls and jumps through the import pointer of a KERNEL32 service. The
 * register-convention services have no "@bytes"; pass bytes only for the
 * stdcall ones. */
.macro IMPORT_OP op, name, bytes
#if defined(_WIN32)
    .ifb \bytes
        \op *__imp__\name
    .else
        \op *__imp__\name\()@\bytes
    .endif
#else
        \op *__imp_\name
#endif
.endm

.macro CALL_IMPORT name, bytes
    IMPORT_OP call, \name, \bytes
.endm

.macro JMP_IMPORT name, bytes
    IMPORT_OP jmp, \name, \bytes
.endm

/* ELF objects say their stack need not be executable; PE has no such note. */
.macro END_OF_SOURCE
#if !defined(_WIN32)
    .section .note.GNU-stack, "", @progbits
#endif
.endm

#endif
