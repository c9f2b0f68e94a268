/* The nineteen exports that reach the 16-bit library through CallRelay, one
 * line each, and the bodies of their shapes. */
#include "bridge/asm_names.h"
#include "bridge/thunk_layout.h"
#include "bridge/call_relay_macros.h"

    .text

/*              label                       result  arguments, first to last */
CALL_RELAY_BODY .Lbody_void_none,           NONE
CALL_RELAY_BODY .Lbody_void_u16,            U16
CALL_RELAY_BODY .Lbody_w16_none,            NONE,   W16
CALL_RELAY_BODY .Lbody_w16_w16_u16,         U16,    W16, W16
CALL_RELAY_BODY .Lbody_w16_w16_w16_none,    NONE,   W16, W16, W16
CALL_RELAY_BODY .Lbody_ptr_u16,             U16,    PTR
CALL_RELAY_BODY .Lbody_ptr_s16,             S16,    PTR
CALL_RELAY_BODY .Lbody_ptr_w16_u16,         U16,    PTR, W16
CALL_RELAY_BODY .Lbody_d32_w16_u16,         U16,    D32, W16
CALL_RELAY_BODY .Lbody_d32_d32_ptr_d32,     D32,    D32, D32, PTR
CALL_RELAY_BODY .Lbody_w16_w16_ptr_w16_d32, D32,    W16, W16, PTR, W16
CALL_RELAY_BODY .Lbody_d32_d32_ptr_d32_none, NONE,  D32, D32, PTR, D32
CALL_RELAY_BODY .Lbody_w16_ptr_d32_w16_none, NONE,  W16, PTR, D32, W16

/*                name                      bytes index body */
CALL_RELAY_EXPORT stopMetronom,             0,    0,  .Lbody_void_none
CALL_RELAY_EXPORT startMetronom,            0,    1,  .Lbody_void_none
CALL_RELAY_EXPORT MidiJobAddSysXBlock,      16,   3,  .Lbody_d32_d32_ptr_d32_none
CALL_RELAY_EXPORT MidiOutSysXBlock,         16,   4,  .Lbody_w16_ptr_d32_w16_none
CALL_RELAY_EXPORT zelvSetControllerTimeout, 4,    5,  .Lbody_w16_none
CALL_RELAY_EXPORT zelvControllerSperre,     12,   6,  .Lbody_w16_w16_w16_none
CALL_RELAY_EXPORT flushAllJobs,             0,    7,  .Lbody_void_none
CALL_RELAY_EXPORT resetMidiJobs,            0,    8,  .Lbody_void_none
CALL_RELAY_EXPORT resetMidiSynch,           0,    9,  .Lbody_void_none
CALL_RELAY_EXPORT checkMidiPlayback,        4,    10, .Lbody_ptr_s16
CALL_RELAY_EXPORT synchMidiEngine,          12,   11, .Lbody_d32_d32_ptr_d32
CALL_RELAY_EXPORT setMidiJobFlag,           8,    12, .Lbody_d32_w16_u16
CALL_RELAY_EXPORT startMidiJob,             16,   13, .Lbody_w16_w16_ptr_w16_d32
CALL_RELAY_EXPORT getMidiTime,              4,    14, .Lbody_ptr_u16
CALL_RELAY_EXPORT playEvent,                8,    15, .Lbody_ptr_w16_u16
CALL_RELAY_EXPORT stopMidi,                 0,    16, .Lbody_void_u16
CALL_RELAY_EXPORT startMidiTimer,           4,    17, .Lbody_ptr_u16
CALL_RELAY_EXPORT closeMidiDevice,          8,    18, .Lbody_w16_w16_u16
CALL_RELAY_EXPORT initMidiDevice,           8,    19, .Lbody_w16_w16_u16

    END_OF_SOURCE
