/* The harness's replacements for Wine's QT_Thunk and FT_Thunk: register
 * glue around callSixteen (wine_workarounds.cpp), which makes the 16-bit
 * call through krnl386.exe16's K32WOWCallback16Ex. Both are entered the way
 * the platform's services are: EBP is the stub's frame, the return address
 * into the stub lies on top of the stack, and the 16-bit argument bytes lie
 * between it and the stub's 64-byte work space below EBP. Both come back
 * with the 16-bit result in DX:AX, keep EBX, ESI, EDI and EBP, and leave the
 * argument bytes where they are: the stubs take their stack back from EBP.
 * ECX is not kept, as by the platform's services. */
#include "bridge/asm_names.h"
#include "bridge/thunk_layout.h"

/* Where Wine's FT_Prolog keeps the 16:16 entry it took from the PrologRelay
 * code, in the frame it opens. */
#define PROLOG_TARGET_OFFSET (-52)
#define NO_TRANSLATION 0

.macro CALL_SIXTEEN target, mask
    leal 4(%esp), %eax                  /* the first argument byte */
    leal -THUNK_FRAME_SIZE(%ebp), %ecx
    subl %eax, %ecx                     /* the argument bytes */
    pushl \mask
    pushl %ecx
    pushl %eax
    pushl \target
    call C_NAME(callSixteen)
    addl $16, %esp
    movl %eax, %edx
    shrl $16, %edx                      /* DX:AX */
    ret
.endm

    .text

/* Jumped to from the CallRelay code with the 16:16 entry in EDX. */
C_ENTRY replacementQtThunk
    CALL_SIXTEEN %edx, $NO_TRANSLATION

/* Called by the record stub; the entry and the translation mask lie in the
 * frame that FT_Prolog opened. */
C_ENTRY replacementFtThunk
    CALL_SIXTEEN PROLOG_TARGET_OFFSET(%ebp), PROLOG_MASK_OFFSET(%ebp)

    END_OF_SOURCE
