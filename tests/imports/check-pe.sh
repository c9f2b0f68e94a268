#!/usr/bin/env bash
# Checks that a product binary loads on the oldest systems it is for: machine
# i386, subsystem and OS version 4.0, a Windows GUI program where one is
# wanted, and every import found in the allow-list of its DLL for each of
# the given systems. A system's allow-lists are a folder with one file per
# DLL ("kernel32.txt": one function a line, "#" starts a comment); a DLL
# without a list there is one that system lacks. PE_MAX_BYTES, when set, is
# the most the file may weigh. Reads the file with objdump only, so it needs
# no Windows.
#   check-pe.sh BINARY gui|dll SYSTEM-FOLDER...
set -u
binary=$1 kind=$2; shift 2
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$binary") || { echo "cannot read $binary"; exit 1; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 file"
size=$(stat -c %s "$binary")
if [ -n "${PE_MAX_BYTES:-}" ] && [ "$size" -gt "$PE_MAX_BYTES" ]; then
  fail "$size bytes, more than $PE_MAX_BYTES"
fi
for field in MajorOSystemVersion MajorSubsystemVersion; do
  value=$(awk -v f="$field" '$1 == f {print $2}' <<<"$headers")
  [ "$value" = 4 ] || fail "$field is '$value', want 4"
done
for field in MinorOSystemVersion MinorSubsystemVersion; do
  value=$(awk -v f="$field" '$1 == f {print $2}' <<<"$headers")
  [ "$value" = 0 ] || fail "$field is '$value', want 0"
done
if [ "$kind" = gui ]; then
  grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a Windows GUI program"
fi

# "dll function" pairs of the import table, dll in lower case without ".dll".
# An import by ordinal has no name to check, so it counts as unknown. Older
# objdumps list "vma hint name", newer ones (binutils 2.44) "vma ordinal hint
# name", with "<none>" in the column that does not apply.
imports=$(awk '
  /DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll); next }
  dll != "" && /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[^ \t]+$/ { print dll, $3; next }
  dll != "" && /^\t[0-9a-f]+ +<none> +[0-9a-f]+ +[^ \t]+/ { print dll, $4; next }
  dll != "" && /^\t[0-9a-f]+ +[0-9a-f]+ +<none>/ { print dll, "<ordinal>"; next }
  dll != "" && /^\t[0-9a-f]+[ \t]+<none>/ { print dll, "<ordinal>" }' <<<"$headers" | sort -u)
[ -n "$imports" ] || fail "no imports found: objdump output not understood"

for system in "$@"; do
  unknown=$(while read -r dll function; do
      list=$system/$dll.txt
      if [ ! -f "$list" ] || ! sed 's/#.*//' "$list" | grep -qxF -- "$function"; then
        echo "$dll $function"
      fi
    done <<<"$imports")
  if [ -n "$unknown" ]; then
    fail "imports that $(basename "$system") lacks:"
    printf '  %s %s\n' $unknown
  fi
done
[ $failed = 0 ] && echo "$(basename "$binary"): $size bytes, $(wc -l <<<"$imports") imports, all on" \
  "$(for s in "$@"; do basename "$s"; done | paste -sd, -); PE version 4.0"
exit $failed
