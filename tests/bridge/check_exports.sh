#!/usr/bin/env bash
# Reads the export directory of Zelvink.dll with objdump: the file is a DLL,
# the directory names the module "Zelvink.dll", and it exports exactly the
# names of the list, by name, nothing else.
#   check_exports.sh DLL EXPECTED-NAMES-FILE
set -u
dll=$1 expected_file=$2
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$dll") || { echo "cannot read $dll"; exit 1; }
failed=0
fail() { echo "FAIL: $*"; failed=1; }

grep -q $'^\tDLL$' <<<"$headers" || fail "not flagged as a DLL"

exports=$(sed -n '/^The Export Tables/,/^The Import Tables\|^There is an import table\|^PE File Base Relocations/p' <<<"$headers")
[ -n "$exports" ] || { echo "FAIL: no export table"; exit 1; }

module=$(awk '$1 == "Name" && NF == 3 { print $3; exit }' <<<"$exports")
[ "$module" = "Zelvink.dll" ] || fail "the export directory names the module '$module'"

# Entries of the address table: more than names would mean exports by
# ordinal only.
addresses=$(awk '/Export Address Table/ && NF == 4 { print $4; exit }' <<<"$exports")
addresses=$((16#${addresses:-0}))
names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$exports" |
        awk '/^\t\[ *[0-9]+\] / { print $NF }' | sort)
wanted=$(sed 's/#.*//' "$expected_file" | awk 'NF == 1 { print $1 }' | sort)

missing=$(comm -13 <(printf '%s\n' "$names") <(printf '%s\n' "$wanted"))
extra=$(comm -23 <(printf '%s\n' "$names") <(printf '%s\n' "$wanted"))
[ -z "$missing" ] || fail "not exported: $(echo $missing)"
[ -z "$extra" ] || fail "exported but not in the list: $(echo $extra)"
count=$(wc -l <<<"$wanted")
[ "$addresses" = "$count" ] || fail "$addresses exported addresses, want $count"

[ $failed = 0 ] && echo "$(basename "$dll"): module Zelvink.dll, exactly the $count listed names"
exit $failed
