/* Building blocks of the call-relay stubs. A body serves every export of one
 * shape (argument kinds and result kind) and differs from its siblings only
 * in the function index that the stub entry puts in CL. Argument kinds:
 *   W16  low word of the slot, pushed as 2 bytes
 *   D32  whole slot, pushed as 4 bytes
 *   PTR  16:16 alias of the flat pointer in the slot, made by the mapping
 *        service of that slot when the argument is pushed
 * Result kinds: NONE, U16 (zero-extended), S16 (sign-extended), D32 (DX:AX).
 * Include only from .S files, after asm_names.h and thunk_layout.h. */
#ifndef BRIDGE_CALL_RELAY_MACROS_H
#define BRIDGE_CALL_RELAY_MACROS_H

/* Slots of the first to fourth argument relative to the stub's EBP; the
 * mapping services are named after these numbers. */
#define ARG1 8
#define ARG2 12
#define ARG3 16
#define ARG4 20

.macro PUSH_ARG kind, slot
    .ifc \kind, W16
        pushw \slot(%ebp)
    .endif
    .ifc \kind, D32
        pushl \slot(%ebp)
    .endif
    .ifc \kind, PTR
        /* The service also leaves the alias in the slot, where the release
         * service of the same slot finds it again. */
        CALL_IMPORT SMapLS_IP_EBP_\slot
        pushl %eax
    .endif
.endm

.macro RELEASE_ARG kind, slot
    .ifc \kind, PTR
        /* Keeps EAX, the widened result; EDX does not survive. */
        CALL_IMPORT SUnMapLS_IP_EBP_\slot
    .endif
.endm

/* The relay leaves a 16-bit result in AX and a 32-bit one in DX:AX, with
 * the upper halves of EAX and EDX undefined. */
.macro WIDEN result
    .ifc \result, U16
        movzwl %ax, %eax
    .endif
    .ifc \result, S16
        cwtl
    .endif
    .ifc \result, D32
        shll $16, %eax
        shrdl $16, %edx, %eax
    .endif
.endm

/* One body: the thunk frame, the arguments first to last, the relay, the
 * widening, the alias release, and the stdcall return. */
.macro CALL_RELAY_BODY label, result, a1, a2, a3, a4
\label:
    pushl %ebp
    movl %esp, %ebp
    pushl %ecx                                  /* CL: function index */
    subl $(THUNK_FRAME_SIZE - 4), %esp
    PUSH_ARG \a1, ARG1
    PUSH_ARG \a2, ARG2
    PUSH_ARG \a3, ARG3
    PUSH_ARG \a4, ARG4
    call *C_NAME(CallRelayPointer)
    WIDEN \result
    RELEASE_ARG \a1, ARG1
    RELEASE_ARG \a2, ARG2
    RELEASE_ARG \a3, ARG3
    RELEASE_ARG \a4, ARG4
    leave
    .set .Largument_bytes, 0
    .irp kind, \a1, \a2, \a3, \a4
        .ifnb \kind
            .set .Largument_bytes, .Largument_bytes + 4
        .endif
    .endr
    ret $.Largument_bytes
.endm

/* One export: the decorated name, and behind it the stub entry that names
 * the function index and goes on in the shared body. An export with
 * arguments hands them to its stub as a call of its own; one without goes
 * straight into the stub. */
.macro CALL_RELAY_EXPORT name, bytes, index, body
STDCALL_ENTRY \name, \bytes
    .if \bytes
        .rept \bytes / 4
            pushl \bytes(%esp)
        .endr
        call .Lstub_\name
        ret $\bytes
    .endif
.Lstub_\name:
    movb $\index, %cl
    jmp \body
.endm

#endif
