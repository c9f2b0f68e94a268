/* DllEntryPoint: connects the thunk at every notification the system sends,
 * and tells an attached debugger when the connection service refuses. */
#include "bridge/asm_names.h"

#define DLL_ENTRY_ARG_BYTES 12
#define THUNK_CONNECT_ARG_BYTES 16

    .text

/* THK_ThunkConnect32(dll16Name, dll32Name, instance, reason): puts the block
 * and the 16-bit block's name in front of the four arguments and leaves the
 * rest to ThunkConnect32, which returns straight to our caller. */
STDCALL_ENTRY THK_ThunkConnect32, THUNK_CONNECT_ARG_BYTES
.Lthunk_connect:
    popl %eax                                   /* return address */
    pushl $C_NAME(ThunkData16Name)
    pushl $C_NAME(THK_ThunkData32)
    pushl %eax
    JMP_IMPORT ThunkConnect32, 24

/* DllEntryPoint(instance, reason, reserved) -> exactly 1 or 0. */
STDCALL_ENTRY DllEntryPoint, DLL_ENTRY_ARG_BYTES
    pushl 8(%esp)                               /* reason, unchanged */
    pushl 8(%esp)                               /* instance */
    pushl $C_NAME(Dll32FileName)
    pushl $C_NAME(Dll16FileName)
    call .Lthunk_connect
    testl %eax, %eax
    jz .Lrefused
    movl $1, %eax
    ret $DLL_ENTRY_ARG_BYTES
.Lrefused:
    pushl $C_NAME(ConnectFailedMessage)
    CALL_IMPORT OutputDebugStringA, 4
    xorl %eax, %eax
    ret $DLL_ENTRY_ARG_BYTES

    END_OF_SOURCE
