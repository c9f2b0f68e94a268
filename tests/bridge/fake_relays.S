/* The register-level half of the fake thunk service: the code the relay
 * areas lead to, the mapping services, FT_Thunk and FT_Exit4, each keeping
 * the register contract of the real one and handing what it saw to the
 * recorders in fake_thunk_service.cpp. Registers that the real services
 * give back changed come back holding junk here, so a stub that relied on
 * them would fail. Also the import pointers the stubs call through. */
#include "bridge/asm_names.h"
#include "tests/bridge/fake_layout.h"

/* The pointer a stub calls a KERNEL32 service through. */
.macro IMPORT_POINTER name, target
    .balign 4
#if defined(_WIN32)
    .globl __imp__\name
__imp__\name:
#else
    .globl __imp_\name
__imp_\name:
#endif
    .long \target
.endm

    .data
IMPORT_POINTER SMapLS_IP_EBP_8, .Lmap_8
IMPORT_POINTER SMapLS_IP_EBP_12, .Lmap_12
IMPORT_POINTER SMapLS_IP_EBP_16, .Lmap_16
IMPORT_POINTER SUnMapLS_IP_EBP_8, .Lunmap_8
IMPORT_POINTER SUnMapLS_IP_EBP_12, .Lunmap_12
IMPORT_POINTER SUnMapLS_IP_EBP_16, .Lunmap_16
IMPORT_POINTER FT_Thunk, .Lft_thunk
IMPORT_POINTER FT_Exit4, .Lft_exit_4

    .text

/* Entered by a jump from the CallRelay area with EDX = the 16-bit target and
 * CL = the index read from the stub's frame; [ESP] returns into the stub.
 * Comes back as the 16-bit function would: its arguments removed, the
 * programmed DX:AX, junk in ECX and in the upper halves. */
C_ENTRY fakeCallRelayEntry
    leal 4(%esp), %eax                  /* the stub's ESP: argument frame */
    pushl %ecx
    pushl %edx
    pushl %ebp
    pushl %eax
    call C_NAME(fakeRecordRelay)        /* -> argument bytes to remove */
    addl $16, %esp
    popl %edx
    addl %eax, %esp
    pushl %edx
    movl C_NAME(fakeResultEax), %eax
    movl C_NAME(fakeResultEdx), %edx
    movl $FAKE_JUNK_ECX, %ecx
    ret

/* SMapLS_IP_EBP_n: alias in EAX and in the slot [EBP+n]; ECX, EDX lost. */
.macro FAKE_MAP slot
.Lmap_\slot:
    pushl $\slot
    jmp .Lmap_common
.endm
FAKE_MAP 8
FAKE_MAP 12
FAKE_MAP 16
.Lmap_common:
    popl %ecx
    pushl %ecx
    pushl %ebp
    call C_NAME(fakeRecordMap)
    addl $8, %esp
    movl $FAKE_JUNK_ECX, %ecx
    movl $FAKE_JUNK_EDX, %edx
    ret

/* SUnMapLS_IP_EBP_n: releases the alias in the slot; EAX kept, EDX lost. */
.macro FAKE_UNMAP slot
.Lunmap_\slot:
    pushl $\slot
    jmp .Lunmap_common
.endm
FAKE_UNMAP 8
FAKE_UNMAP 12
FAKE_UNMAP 16
.Lunmap_common:
    popl %ecx
    pushl %eax
    pushl %eax
    pushl %ecx
    pushl %ebp
    call C_NAME(fakeRecordUnmap)
    addl $12, %esp
    popl %eax
    movl $FAKE_JUNK_ECX, %ecx
    movl $FAKE_JUNK_EDX, %edx
    ret

/* Reached from the PrologRelay area by push/ret with CX = the control word
 * and EDX = the 16-bit target; [ESP] returns into the stub. Opens the frame
 * as the real one does: EBP over the caller's EBP, 64 bytes below it with
 * EBX, ESI, EDI, ECX at -4 to -16, an empty mask at -20, the target at -52.
 * The stack below the frame is painted, so that bytes the stub leaves alone
 * there are recognisable. */
C_ENTRY fakePrologEntry
    xchgl %ebp, (%esp)
    xchgl %ebp, %edx                    /* EDX: back into the stub */
    pushl %ebp                          /* the target, for a moment */
    leal 4(%esp), %ebp
    subl $(FAKE_FRAME_SIZE - 4), %esp
    movl %eax, -48(%ebp)
    movl -4(%ebp), %eax
    movl %eax, FAKE_FRAME_TARGET(%ebp)
    movl %ebx, -4(%ebp)
    movl %esi, -8(%ebp)
    movl %edi, -12(%ebp)
    movl %ecx, FAKE_FRAME_CONTROL(%ebp)
    movl $0, FAKE_FRAME_MASK(%ebp)
    leal -(FAKE_FRAME_SIZE + FAKE_PAINT_SIZE)(%ebp), %edi
    movl $FAKE_PAINT_SIZE, %ecx
    movb $FAKE_PAINT_BYTE, %al
    cld
    rep stosb
    movl -48(%ebp), %eax
    movl FAKE_FRAME_CONTROL(%ebp), %ecx
    movl -12(%ebp), %edi
    jmp *%edx

/* FT_Thunk: [ESP] returns into the stub, the argument words lie above. */
.Lft_thunk:
    leal 4(%esp), %eax
    pushl %ebp
    pushl %eax
    call C_NAME(fakeRecordFtThunk)      /* -> argument bytes to remove */
    addl $8, %esp
    popl %edx
    addl %eax, %esp
    pushl %edx
    movl C_NAME(fakeResultEax), %eax
    movl C_NAME(fakeResultEdx), %edx
    movl $FAKE_JUNK_ECX, %ecx
    ret

/* FT_Exit4: restores EBX, ESI, EDI from the frame, closes it and returns to
 * the stub's caller, removing 4 argument bytes. */
.Lft_exit_4:
    movl %ebx, %eax
    movl -4(%ebp), %ebx
    movl -8(%ebp), %esi
    movl -12(%ebp), %edi
    leave
    ret $4

    END_OF_SOURCE
