/* Sizes and offsets of the flat-thunk data block and of the stub frames, as
 * the connection service and its relays expect them. Include only from .S
 * files. */
#ifndef BRIDGE_THUNK_LAYOUT_H
#define BRIDGE_THUNK_LAYOUT_H

/* THK_ThunkData32: both sides of the thunk carry the same checksum. */
#define THUNK_BLOCK_SIZE 100
#define THUNK_CHECKSUM 0x39BAC
#define CALL_RELAY_OFFSET 36
#define PROLOG_RELAY_OFFSET 68
#define RELAY_AREA_SIZE 32
#define RELAY_AREA_FILL 0xCC

/* The relay treats the 64 bytes below the stub's EBP as its own work space
 * (the dword at EBP-4 carries the function index in its low byte) and takes
 * what lies between ESP and that space as the 16-bit argument frame. */
#define THUNK_FRAME_SIZE 64

/* The frame that PrologRelay opens: the translation mask lives at EBP-20. */
#define PROLOG_MASK_OFFSET (-20)

/* The 16-bit copy of the metronome record and how it is repacked. */
#define RECORD_COPY_SIZE 26
#define RECORD_HEAD_SIZE 9     /* record bytes 0-8 to copy bytes 0-8 */
#define RECORD_TAIL_SOURCE 12  /* record bytes 12-27 ... */
#define RECORD_TAIL_TARGET 10  /* ... to copy bytes 10-25 */
#define RECORD_TAIL_SIZE 16

#endif
