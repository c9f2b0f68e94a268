#!/usr/bin/env bash
# Makes the Wine prefix in $WINEPREFIX look like the demo machine: imports
# demo/demo.reg and writes the files of demo/demo.files below drive_c.
set -euo pipefail
demo=$(cd "$(dirname "$0")/../demo" && pwd)
: "${WINEPREFIX:?WINEPREFIX must name the prefix to seed}"

wine regedit /S "$(winepath -w "$demo/demo.reg")" </dev/null >/dev/null 2>&1

# "%XX" escapes of the manifest's contents field.
unescape() { printf '%b' "${1//%/\\x}"; }

while read -r kind attributes rest; do
  case "$kind" in
    folder) path=$rest ;;
    file) read -r _open contents path <<<"$rest" ;;
    *) continue ;;
  esac
  unix="$WINEPREFIX/drive_c/$(tr '\\' '/' <<<"${path#[Cc]:\\}")"
  if [ "$kind" = folder ]; then
    mkdir -p "$unix"
  else
    mkdir -p "$(dirname "$unix")"
    unescape "${contents#=}" >"$unix"
    # Wine shows a file without write permission as read-only.
    case "$attributes" in *R*) chmod a-w "$unix" ;; esac
  fi
done <"$demo/demo.files"
