/* setMetronomParam: the one export whose argument is a record. The 16-bit
 * side packs the record's members at 2-byte alignment, so the stub hands it a
 * repacked copy on the stack instead of a mapped pointer, and FT_Thunk turns
 * the copy's flat address into a 16:16 pointer. */
#include "bridge/asm_names.h"
#include "bridge/thunk_layout.h"

/* Function index 2 in bits 0-7, one 32-bit argument word in bits 10-15. */
#define RECORD_CONTROL_WORD 0x0402
#define RECORD_FUNCTION_ARG_BYTES 4

    .text

STDCALL_ENTRY setMetronomParam, 4
    pushl 4(%esp)
    call .Lrecord_stub
    ret $RECORD_FUNCTION_ARG_BYTES

/* PrologRelay opens the frame (EBP, an empty translation mask at EBP-20) and
 * FT_Exit4 closes it and returns to the export. Only EAX, ECX and EDX are
 * used here, so nothing rests on the services restoring the other
 * registers. */
.Lrecord_stub:
    movw $RECORD_CONTROL_WORD, %cx
    call *C_NAME(PrologRelayPointer)
    subl $RECORD_COPY_SIZE, %esp
    movl 8(%ebp), %eax                  /* the caller's record */
    testl %eax, %eax
    jnz .Lcopy_record
    pushl %eax                          /* null record: a 32-bit zero, no copy */
    jmp .Lcall_16

.Lcopy_record:
    movl %esp, %edx                     /* the copy, inside the argument frame */
    pushl %edx
    orl $1, PROLOG_MASK_OFFSET(%ebp)    /* translate argument word 0 */
    movl 0(%eax), %ecx                  /* bytes 0-8 unchanged ... */
    movl %ecx, 0(%edx)
    movl 4(%eax), %ecx
    movl %ecx, 4(%edx)
    movb 8(%eax), %cl
    movb %cl, 8(%edx)
    .irp offset, 0, 4, 8, 12            /* ... bytes 12-27 to 10-25; 9-11 stay */
        movl RECORD_TAIL_SOURCE + \offset(%eax), %ecx
        movl %ecx, RECORD_TAIL_TARGET + \offset(%edx)
    .endr

.Lcall_16:
    CALL_IMPORT FT_Thunk
    JMP_IMPORT FT_Exit4

    END_OF_SOURCE
