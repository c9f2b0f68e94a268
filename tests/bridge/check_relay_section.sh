#!/usr/bin/env bash
# Reads the section table of Zelvink.dll and fails unless the thunk block,
# whose relay areas the connection service fills with code that every call
# then runs, lies whole in a section that is both writable and executable. A
# loader that honours no-execute (Wine for any image flagged compatible with
# it, Windows with DEP) maps a section without the execute flag so that the
# first call faults. The block is found by its signatures, not by symbols.
#   check_relay_section.sh DLL
set -u
dll=$1
u32() { od -An -t u4 -j "$1" -N 4 "$dll" | tr -d ' '; }
u16() { od -An -t u2 -j "$1" -N 2 "$dll" | tr -d ' '; }
readonly kMemExecute=$((0x20000000)) kMemWrite=$((0x80000000)) kNxCompat=$((0x100))
readonly kBlockSize=100   # THUNK_BLOCK_SIZE: the signatures, the service's words, two relay areas

pe=$(u32 60)
[ "$(od -An -c -j "$pe" -N 4 "$dll" | tr -d ' ')" = 'PE\0\0' ] || { echo "FAIL: $dll is no PE file"; exit 1; }
sections=$(u16 $((pe + 6)))
optional=$(u16 $((pe + 20)))
dll_characteristics=$(u16 $((pe + 24 + 70)))

# "LS01", the checksum and a word of the service's, then "LB01".
block=
for offset in $(grep -obUa 'LB01' "$dll" | cut -d: -f1); do
  [ "$offset" -ge 12 ] && [ "$(dd if="$dll" bs=1 skip=$((offset - 12)) count=4 2>/dev/null)" = LS01 ] &&
    { block=$((offset - 12)); break; }
done
[ -n "$block" ] || { echo "FAIL: no thunk block (LS01 ... LB01) in $dll"; exit 1; }

table=$((pe + 24 + optional))
for ((i = 0; i < sections; i++)); do
  header=$((table + 40 * i))
  raw_size=$(u32 $((header + 16))) raw_start=$(u32 $((header + 20))) flags=$(u32 $((header + 36)))
  if [ "$block" -ge "$raw_start" ] && [ $((block + kBlockSize)) -le $((raw_start + raw_size)) ]; then
    name=$(dd if="$dll" bs=1 skip="$header" count=8 2>/dev/null | tr -d '\0')
    printf '%s: thunk block in section %s (characteristics 0x%08X, DllCharacteristics 0x%04X)\n' \
      "$(basename "$dll")" "$name" "$flags" "$dll_characteristics"
    failed=0
    [ $((flags & kMemWrite)) -ne 0 ] || { echo "FAIL: section $name is not writable"; failed=1; }
    if [ $((flags & kMemExecute)) -eq 0 ]; then
      echo "FAIL: section $name is not executable$( [ $((dll_characteristics & kNxCompat)) -ne 0 ] &&
        echo ', and the image is flagged no-execute compatible')"
      failed=1
    fi
    exit $failed
  fi
done
echo "FAIL: the thunk block at file offset $block lies in no section"
exit 1
