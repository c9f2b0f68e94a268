/* The library's entry point: what a language runtime's DLL entry does around
 * DllEntryPoint, without a runtime. The C runtime of the cross compiler
 * would import msvcrt.dll, which the first releases of Windows 95 lack, and
 * the library needs nothing of it. What is left of the runtime's part is the
 * rule that a process detach is only passed on after a successful process
 * attach; otherwise it is answered with 0 at once. */
#include "bridge/asm_names.h"

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define ENTRY_ARG_BYTES 12
#define ENTRY_REASON 8          /* from ESP at entry */

    .data
    .balign 4
.Lprocess_attached:
    .long 0

    .text

STDCALL_ENTRY ZelvinkStartup, ENTRY_ARG_BYTES
    cmpl $DLL_PROCESS_DETACH, ENTRY_REASON(%esp)
    jne .Lpass_on
    cmpl $0, .Lprocess_attached
    jne .Lpass_on
    xorl %eax, %eax
    ret $ENTRY_ARG_BYTES

.Lpass_on:
    .rept 3
        pushl ENTRY_ARG_BYTES(%esp)
    .endr
    CALL_STDCALL DllEntryPoint, ENTRY_ARG_BYTES
    cmpl $DLL_PROCESS_ATTACH, ENTRY_REASON(%esp)
    jne .Lnot_attach
    movl %eax, .Lprocess_attached       /* exactly 1 or 0 */
    ret $ENTRY_ARG_BYTES
.Lnot_attach:
    cmpl $DLL_PROCESS_DETACH, ENTRY_REASON(%esp)
    jne .Ldone
    movl $0, .Lprocess_attached
.Ldone:
    ret $ENTRY_ARG_BYTES

    END_OF_SOURCE
