#!/usr/bin/env bash
# Checks that a product binary loads on the oldest targets: i386, subsystem
# and OS version 4.0, the expected subsystem, and no import outside the
# allow-list. Reads the file with objdump only, so it needs no Windows.
#   check-pe.sh BINARY SUBSYSTEM(gui|dll) ALLOW-LIST...
set -u
binary=$1 kind=$2; shift 2
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$binary") || { echo "cannot read $binary"; exit 1; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 file"
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
imports=$(awk '
  /DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll); next }
  dll != "" && /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[^ \t]+$/ { print dll, $3 }
  /^$/ { }' <<<"$headers" | sort -u)
[ -n "$imports" ] || fail "no imports found: objdump output not understood"

allowed=$(cat "$@" | sed 's/#.*//' | awk 'NF == 2 { print tolower($1), $2 }' | sort -u)
unknown=$(comm -23 <(printf '%s\n' "$imports") <(printf '%s\n' "$allowed"))
if [ -n "$unknown" ]; then
  fail "imports the oldest targets may lack:"
  printf '  %s\n' $unknown | paste - -
fi
[ $failed = 0 ] && echo "$(basename "$binary"): $(wc -l <<<"$imports") imports, all allowed; PE version 4.0"
exit $failed
