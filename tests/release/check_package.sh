#!/usr/bin/env bash
# Builds the release zip with CPack and checks what a user unpacks: exactly
# Dravolin.exe, Zelvink.dll and README.TXT, the binaries as built, and the
# readme in code page 1252 with CRLF line ends.
#   check_package.sh BUILD-TREE
set -u
build=$1
failed=0
fail() { echo "FAIL: $*"; failed=1; }

(cd "$build" && cpack --config CPackConfig.cmake >/dev/null) || { echo "FAIL: cpack"; exit 1; }
zip=$(ls "$build"/release/Dravolin-*-win32.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || { echo "FAIL: no release zip"; exit 1; }
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"

members=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')
[ "$members" = "Dravolin.exe README.TXT Zelvink.dll " ] || fail "the zip holds: $members"
for binary in Dravolin.exe Zelvink.dll; do
  cmp -s "$unpacked/$binary" "$build/bin/$binary" || fail "$binary is not the built one"
done

readme=$unpacked/README.TXT
lines=$(grep -c '' "$readme")
crlf=$(grep -c $'\r$' "$readme")
[ "$lines" -gt 0 ] && [ "$lines" = "$crlf" ] || fail "README.TXT: $crlf of $lines lines end in CRLF"
# Bytes that code page 1252 leaves undefined, and control characters.
LC_ALL=C grep -q $'[\x01-\x09\x0b\x0c\x0e-\x1f\x7f\x81\x8d\x8f\x90\x9d]' "$readme" &&
  fail "README.TXT has bytes that are no text in code page 1252"
for word in "Test" "New Driver" "Old Driver" "Windows 95" "NT 4.0"; do
  grep -q "$word" "$readme" || fail "README.TXT does not mention $word"
done

[ $failed = 0 ] && echo "$(basename "$zip"): $(wc -c <"$zip") bytes;" \
  "Dravolin.exe $(wc -c <"$unpacked/Dravolin.exe") bytes, Zelvink.dll $(wc -c <"$unpacked/Zelvink.dll") bytes"
exit $failed
