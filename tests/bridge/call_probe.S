/* probeCall(function, args, count, out): pushes the arguments last to first,
 * loads the sentinels and calls; then records EAX, the callee-saved
 * registers, the flags and the stack pointer before giving its own back. Not
 * reentrant: the tests run on one thread. */
#include "bridge/asm_names.h"
#include "tests/bridge/probe_layout.h"

    .data
    .balign 4
.Lfunction:     .long 0
.Lout:          .long 0
.Lsaved_esp:    .long 0
.Lesp_after:    .long 0
.Lflags_after:  .long 0
.Lresult:       .long 0

    .text
C_ENTRY probeCall
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 20(%esp), %eax
    movl %eax, .Lfunction
    movl 32(%esp), %eax
    movl %eax, .Lout
    movl 24(%esp), %esi
    movl 28(%esp), %ecx
    movl %esp, .Lsaved_esp
.Lpush_next:
    testl %ecx, %ecx
    jz .Lpushed
    pushl -4(%esi, %ecx, 4)
    decl %ecx
    jmp .Lpush_next
.Lpushed:
    movl $PROBE_SENTINEL_EBX, %ebx
    movl $PROBE_SENTINEL_ESI, %esi
    movl $PROBE_SENTINEL_EDI, %edi
    movl $PROBE_SENTINEL_EBP, %ebp
    movl $PROBE_SENTINEL_ECX, %ecx
    call *.Lfunction
    movl %esp, .Lesp_after
    pushfl
    popl .Lflags_after
    movl %eax, .Lresult
    movl .Lout, %eax
    movl .Lresult, %edx
    movl %edx, PROBE_EAX(%eax)
    movl %ebx, PROBE_EBX(%eax)
    movl %esi, PROBE_ESI(%eax)
    movl %edi, PROBE_EDI(%eax)
    movl %ebp, PROBE_EBP(%eax)
    movl .Lsaved_esp, %edx
    movl %edx, PROBE_ESP_BEFORE(%eax)
    movl .Lesp_after, %edx
    movl %edx, PROBE_ESP_AFTER(%eax)
    movl .Lflags_after, %edx
    movl %edx, PROBE_EFLAGS(%eax)
    movl .Lsaved_esp, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

    END_OF_SOURCE
