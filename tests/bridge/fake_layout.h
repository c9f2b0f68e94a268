/* Constants shared by the register-level fakes (fake_relays.S) and their
 * C++ recorders: the frame the fake PrologRelay opens, and the junk values
 * that the fakes leave in registers the real services do not keep. */
#ifndef TESTS_BRIDGE_FAKE_LAYOUT_H
#define TESTS_BRIDGE_FAKE_LAYOUT_H

#define FAKE_FRAME_SIZE 64
#define FAKE_FRAME_CONTROL (-16)
#define FAKE_FRAME_MASK (-20)
#define FAKE_FRAME_TARGET (-52)

#define FAKE_PAINT_SIZE 256
#define FAKE_PAINT_BYTE 0x5A

#define FAKE_JUNK_ECX 0xC1C2C3C4
#define FAKE_JUNK_EDX 0xD5D6D7D8

#endif
