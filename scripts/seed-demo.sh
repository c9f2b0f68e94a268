#!/usr/bin/env bash
# Makes the Wine prefix in $WINEPREFIX look like the demo machine: imports
# demo/demo.reg and writes the files of demo/demo.files below drive_c.
# A 64-bit prefix (one with SysWOW64) holds it as a 64-bit Windows would:
# the burning software is 32-bit, so its keys lie in the 32-bit view and its
# libraries in SysWOW64, while kernel drivers can only be native; the native
# view also gets the 64-bit entries of demo/demo-native.reg.
set -euo pipefail
demo=$(cd "$(dirname "$0")/../demo" && pwd)
. "$(dirname "$0")/../tests/wine/wine-lib.sh"
: "${WINEPREFIX:?WINEPREFIX must name the prefix to seed}"

wow64=0
[ -d "$WINEPREFIX/drive_c/windows/syswow64" ] && wow64=1

if [ "$wow64" = 1 ]; then
  # Each view named outright: which regedit "wine regedit" starts depends on
  # the loader the wine command prefers (Debian's takes the 32-bit one).
  wine 'C:\windows\syswow64\regedit.exe' /S "$(wine_dos_path "$demo/demo.reg")" </dev/null >/dev/null 2>&1
  wine reg import "$(wine_dos_path "$demo/demo-native.reg")" /reg:64 </dev/null >/dev/null 2>&1
else
  wine regedit /S "$(wine_dos_path "$demo/demo.reg")" </dev/null >/dev/null 2>&1
fi

# "%XX" escapes of the manifest's contents field.
unescape() { printf '%b' "${1//%/\\x}"; }

while read -r kind attributes rest; do
  case "$kind" in
    folder) path=$rest ;;
    file) read -r _open contents path <<<"$rest" ;;
    *) continue ;;
  esac
  relative=$(tr '\\' '/' <<<"${path#[Cc]:\\}")
  if [ "$wow64" = 1 ]; then
    case "${relative,,}" in
      windows/system32/drivers/*) ;;
      windows/system32/*) relative=windows/syswow64/${relative#*/*/} ;;
    esac
  fi
  unix="$WINEPREFIX/drive_c/$relative"
  if [ "$kind" = folder ]; then
    mkdir -p "$unix"
  else
    mkdir -p "$(dirname "$unix")"
    unescape "${contents#=}" >"$unix"
    # Wine shows a file without write permission as read-only.
    case "$attributes" in *R*) chmod a-w "$unix" ;; esac
  fi
done <"$demo/demo.files"
