; Zelvbase.DLL for the round-trip test: a 16-bit library in NE format with
; the twenty pascal entries that Zelvink.dll reaches through its thunk
; table, and the "LS01" block that the connection service joins to
; Zelvink's. Each entry records what it receives in the recorder, which the
; 32-bit test finds under the exported name ZELVRECORDER, and returns the
; result that the test put there for its index.
;
;   nasm -f bin -DTHUNK_CHECKSUM=... -o Zelvbase.DLL zelvbase16.asm
;
; The recorder's layout is mirrored by tests/bridge16/recorder.h; the
; 32-bit side checks the recorder's signature and size before it reads it.
%include "ne_macros.inc"

%ifndef THUNK_CHECKSUM
%error "THUNK_CHECKSUM must be given: the checksum of Zelvink's thunk block"
%endif

    cpu 286
    bits 16

%define CODE_SEGMENT 1
%define DATA_SEGMENT 2
%define SEGMENT_COUNT 2
; File positions: the headers and tables fit below the code, the code below
; the data (nasm stops if they overlap).
%define CODE_POSITION 0x400
%define DATA_POSITION 0x800
%define ENTRY_COUNT 20

; Recorder: signature, its own size, then per function index the chosen
; result and the record of its calls.
%define RECORDER_SIGNATURE 'ZREC'
%define RECORDER_RESULTS 8               ; ENTRY_COUNT dwords: low word in AX, high in DX
%define RECORDER_RECORDS (RECORDER_RESULTS + 4 * ENTRY_COUNT)
%define RECORDER_BYTES (RECORDER_RECORDS + ENTRY_COUNT * RECORD_BYTES)
; One record.
%define RECORD_SHIFT 6
%define RECORD_BYTES (1 << RECORD_SHIFT)
%define REC_CALLS 0                      ; how often the entry ran
%define REC_FRAME_BYTES 2                ; argument bytes the entry takes
%define REC_FRAME 4                      ; those bytes, lowest address first
%define REC_POINTER 20                   ; POINTER_...
%define REC_STACK_SP 22                  ; SS:SP as the entry found them
%define REC_STACK_SS 24
%define REC_POINTEE 28                   ; the bytes behind the pointer argument
%define POINTER_NONE 0                   ; the entry takes no pointer
%define POINTER_COPIED 1                 ; read, then WRITE_MARK written through it
%define POINTER_INACCESSIBLE 2           ; null, or no readable and writable segment

%define BUFFER_BYTES 32                  ; read behind a buffer pointer
%define RECORD_COPY_BYTES 26             ; behind the metronome record's pointer
%define WRITE_MARK 0xA516                ; written at offset 0 behind every pointer
; Left in BX and CX, which a pascal function need not keep.
%define SCRATCH_BX 0xB16B
%define SCRATCH_CX 0xC16C

; Above BP: the caller's BP, then the far return address, then the arguments.
%define FRAME_AT_BP 6

; FOR_EACH_EXPORT macro: calls macro with every entry's
;   index, exported name, argument bytes, position of the 16:16 pointer
;   among them (-1: none), bytes to read behind the pointer.
; The arguments lie as the caller pushed them, first argument highest.
%macro FOR_EACH_EXPORT 1
    %1  0, 'STOPMETRONOM',              0, -1, 0
    %1  1, 'STARTMETRONOM',             0, -1, 0
    %1  2, 'SETMETRONOMPARAM',          4,  0, RECORD_COPY_BYTES
    %1  3, 'MIDIJOBADDSYSXBLOCK',      16,  4, BUFFER_BYTES
    %1  4, 'MIDIOUTSYSXBLOCK',         12,  6, BUFFER_BYTES
    %1  5, 'ZELVSETCONTROLLERTIMEOUT',  2, -1, 0
    %1  6, 'ZELVCONTROLLERSPERRE',      6, -1, 0
    %1  7, 'FLUSHALLJOBS',              0, -1, 0
    %1  8, 'RESETMIDIJOBS',             0, -1, 0
    %1  9, 'RESETMIDISYNCH',            0, -1, 0
    %1 10, 'CHECKMIDIPLAYBACK',         4,  0, BUFFER_BYTES
    %1 11, 'SYNCHMIDIENGINE',          12,  0, BUFFER_BYTES
    %1 12, 'SETMIDIJOBFLAG',            6, -1, 0
    %1 13, 'STARTMIDIJOB',             10,  2, BUFFER_BYTES
    %1 14, 'GETMIDITIME',               4,  0, BUFFER_BYTES
    %1 15, 'PLAYEVENT',                 6,  2, BUFFER_BYTES
    %1 16, 'STOPMIDI',                  0, -1, 0
    %1 17, 'STARTMIDITIMER',            4,  0, BUFFER_BYTES
    %1 18, 'CLOSEMIDIDEVICE',           4, -1, 0
    %1 19, 'INITMIDIDEVICE',            4, -1, 0
%endmacro

; ---------------------------------------------------------------- headers
    NE_FILE_START NE_LIBRARY | NE_SINGLEDATA, DATA_SEGMENT, SEGMENT_COUNT, \
                  ne_entry_table, ne_entry_table_end

    NE_SEGMENT_TABLE
    NE_SEGMENT code, CODE_POSITION, NE_SEG_CODE | NE_SEG_PRELOAD | NE_SEG_RELOCINFO
    NE_SEGMENT data, DATA_POSITION, NE_SEG_DATA | NE_SEG_PRELOAD | NE_SEG_RELOCINFO

    NE_RESOURCE_TABLE

%macro RESIDENT_NAME 5
    NE_NAME %2, %1 + 1
%endmacro
    NE_RESIDENT_NAMES
    NE_NAME 'ZELVBASE', 0
    FOR_EACH_EXPORT RESIDENT_NAME
    NE_NAME 'THK_THUNKDATA16', ENTRY_COUNT + 1
    NE_NAME 'ZELVRECORDER', ENTRY_COUNT + 2
    NE_NAMES_END

    NE_MODULE_REFERENCES
    NE_IMPORTED_NAMES

%macro ENTRY_ROW 5
    NE_ENTRY entry_%1
%endmacro
    NE_ENTRY_TABLE
    NE_BUNDLE ENTRY_COUNT, CODE_SEGMENT
    FOR_EACH_EXPORT ENTRY_ROW
    NE_BUNDLE 2, DATA_SEGMENT
    NE_ENTRY thk_thunkdata16
    NE_ENTRY recorder
    NE_ENTRY_TABLE_END

    NE_NONRESIDENT_NAMES
    NE_NAME 'Zelvbase round-trip test library', 0
    NE_NONRESIDENT_NAMES_END

; ---------------------------------------------------------------- code
    NE_SEGMENT_DATA code, CODE_POSITION

; Every entry: a pascal function that hands its facts to record_call and
; returns what that gives back, removing its own arguments.
%macro DEFINE_ENTRY 5
entry_%1:
    push bp
    mov bp, sp
    push ds
    push si
    push di
    mov bx, %1
    mov cx, %3
%if %4 < 0
    xor dx, dx
%else
    mov dx, FRAME_AT_BP + %4
%endif
    mov si, %5
    call record_call
    pop di
    pop si
    pop ds
    pop bp
    retf %3
%endmacro
    FOR_EACH_EXPORT DEFINE_ENTRY

; In:  BX function index, CX argument bytes, DX offset from BP of the 16:16
;      pointer argument (0: none), SI bytes to read behind it; BP the
;      entry's frame.
; Out: DX:AX the result chosen for the index; BX, CX, SI, DI, DS and ES
;      changed.
record_call:
    mov ax, 0                            ; the data segment's selector, by fixup
dgroup_fixup equ $ - 2
    mov ds, ax
    mov di, bx
    shl di, 2
    push word [recorder + RECORDER_RESULTS + di + 2]
    push word [recorder + RECORDER_RESULTS + di]
    shl bx, RECORD_SHIFT
    add bx, recorder + RECORDER_RECORDS
    inc word [bx + REC_CALLS]
    mov [bx + REC_FRAME_BYTES], cx
    mov [bx + REC_STACK_SS], ss
    lea ax, [bp + 2]
    mov [bx + REC_STACK_SP], ax

    xor di, di
.next_frame_byte:
    cmp di, cx
    jae .frame_done
    mov al, [bp + di + FRAME_AT_BP]
    mov [bx + di + REC_FRAME], al
    inc di
    jmp .next_frame_byte
.frame_done:

    mov word [bx + REC_POINTER], POINTER_NONE
    test dx, dx
    jz .done
    mov word [bx + REC_POINTER], POINTER_INACCESSIBLE
    mov di, dx
    mov ax, [bp + di + 2]                ; the pointer's selector
    verr ax                              ; a bad one must not fault in here
    jnz .done
    verw ax
    jnz .done
    mov es, ax
    mov di, [bp + di]                    ; and its offset
    mov cx, si
    push di
    push bx
    add bx, REC_POINTEE
    jcxz .read
.next_pointee_byte:
    mov al, [es:di]
    mov [bx], al
    inc di
    inc bx
    loop .next_pointee_byte
.read:
    pop bx
    pop di
    mov word [es:di], WRITE_MARK
    mov word [bx + REC_POINTER], POINTER_COPIED

.done:
    pop ax
    pop dx
    mov bx, SCRATCH_BX
    mov cx, SCRATCH_CX
    ret

    NE_RELOCATIONS code, 1
    NE_RELOC_INTERNAL NE_FIX_SELECTOR, dgroup_fixup, DATA_SEGMENT, 0

; ---------------------------------------------------------------- data
    NE_SEGMENT_DATA data, DATA_POSITION

; The block that ThunkConnect32 looks up by name: signature, the checksum
; that Zelvink's block carries too, a 16:16 pointer to the table of entries
; by function index, and the first-time word.
thk_thunkdata16:
    db 'LS01'
    dd THUNK_CHECKSUM
target_table_pointer:
    dd 0                                 ; 16:16 of target_table, by fixup
    dw 0
    align 4, db 0
target_table:
    times ENTRY_COUNT dd 0               ; 16:16 of entry_0 ... entry_19, by fixup

    align 4, db 0
recorder:
    db RECORDER_SIGNATURE
    dw RECORDER_BYTES
    dw 0
    times RECORDER_BYTES - ($ - recorder) db 0

%macro TABLE_FIXUP 5
    NE_RELOC_INTERNAL NE_FIX_FARPTR, target_table + 4 * %1, CODE_SEGMENT, entry_%1
%endmacro
    NE_RELOCATIONS data, 1 + ENTRY_COUNT
    NE_RELOC_INTERNAL NE_FIX_FARPTR, target_table_pointer, DATA_SEGMENT, target_table
    FOR_EACH_EXPORT TABLE_FIXUP
