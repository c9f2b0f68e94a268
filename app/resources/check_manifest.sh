#!/usr/bin/env bash
# Fails the build on a manifest that Windows would refuse while Wine starts
# the program anyway: XML that is not well formed, a trustInfo outside
# asm.v2 (XP: "the application configuration is incorrect"), a namespace
# declared twice or with a prefix (XP SP2 and Server 2003 restart), an
# execution level or DPI setting Windows does not know.
#   check_manifest.sh MANIFEST STAMP
set -u
manifest=$1 stamp=$2
failed=0
fail() { echo "$manifest: $*" >&2; failed=1; }
holds() { [ "$(xmllint --xpath "boolean($1)" "$manifest" 2>/dev/null)" = true ]; }

xmllint --noout "$manifest" || { echo "$manifest: not well-formed XML" >&2; exit 1; }

grep -q 'xmlns:' "$manifest" && fail "a prefixed namespace declaration"
for namespace in $(grep -o 'xmlns="[^"]*"' "$manifest" | sort | uniq -d); do
  fail "declared more than once: $namespace"
done

asm1=urn:schemas-microsoft-com:asm.v1
asm2=urn:schemas-microsoft-com:asm.v2
holds "/*[local-name()='assembly' and namespace-uri()='$asm1' and @manifestVersion='1.0']" ||
  fail "the root is not an asm.v1 assembly of manifest version 1.0"
holds "//*[local-name()='trustInfo' and namespace-uri()!='$asm2']" &&
  fail "a trustInfo outside $asm2"
holds "//*[local-name()='requestedExecutionLevel' and not(namespace-uri()='$asm2'
        and (@level='asInvoker' or @level='highestAvailable' or @level='requireAdministrator')
        and (@uiAccess='false' or @uiAccess='true'))]" &&
  fail "a requestedExecutionLevel outside $asm2 or with a level or uiAccess Windows does not know"
holds "//*[local-name()='dpiAware' and not(normalize-space()='true' or normalize-space()='false'
        or normalize-space()='true/pm' or normalize-space()='per monitor')]" &&
  fail "a dpiAware value Windows does not know"

[ $failed = 0 ] && touch "$stamp"
exit $failed
