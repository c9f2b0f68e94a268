/* The data that joins this library to the 16-bit library: the 32-bit thunk
 * block that the connection service fills with relay code, the name of the
 * 16-bit side's block with the two relay pointers right behind it, and the
 * texts the entry routine hands over or writes. */
#include "bridge/asm_names.h"
#include "bridge/thunk_layout.h"

    /* Writable and executable: the connection service stores into the block
     * and writes code into both relay areas while the library loads, and
     * every call runs that code. */
    RELAY_SECTION
    .balign 4
C_ENTRY THK_ThunkData32
    .ascii "LS01"                       /* a 32-to-16 block */
    .long THUNK_CHECKSUM
    .long 0                             /* the service's */
    .ascii "LB01"
    .long 0, 0, 0                       /* the service's */
    .long CALL_RELAY_OFFSET
    .long PROLOG_RELAY_OFFSET
    .fill RELAY_AREA_SIZE, 1, RELAY_AREA_FILL   /* CallRelay */
    .fill RELAY_AREA_SIZE, 1, RELAY_AREA_FILL   /* PrologRelay */
    .if . - C_NAME(THK_ThunkData32) - THUNK_BLOCK_SIZE
    .error "THK_ThunkData32 must be exactly THUNK_BLOCK_SIZE bytes"
    .endif

    RODATA_SECTION
    .balign 4
C_ENTRY ThunkData16Name
    .asciz "THK_ThunkData16"
    /* The stubs reach the relays only through these two words, which must
     * follow the name without a gap. */
C_ENTRY CallRelayPointer
    .long C_NAME(THK_ThunkData32) + CALL_RELAY_OFFSET
C_ENTRY PrologRelayPointer
    .long C_NAME(THK_ThunkData32) + PROLOG_RELAY_OFFSET

C_ENTRY Dll16FileName
    .asciz "Zelvbase.DLL"
    /* Handed over as it is, whatever name the file was loaded under. */
C_ENTRY Dll32FileName
    .asciz "Zelvink.DLL"
C_ENTRY ConnectFailedMessage
    .asciz "\n\rIn DllEntryPoint: THK_ThunkConnect32 ret FALSE\r\n"

    END_OF_SOURCE
