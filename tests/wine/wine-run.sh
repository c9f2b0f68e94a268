#!/usr/bin/env bash
# Runs one Windows test program under Wine in a scratch prefix of its own and
# passes its exit code on. CTest uses it as the emulator of the Windows build.
#   DRAVOLIN_WINE_VERSION  Windows version of the prefix (default winxp)
#   DRAVOLIN_WINE_ROOT     folder for the template and the scratch prefixes
#                          (default: "wine" in the build tree CTest runs in)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-lib.sh"
wine_require

build_tree() {
  local dir=$PWD
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] && echo "$dir" || echo "$PWD"
}
root=${DRAVOLIN_WINE_ROOT:-$(build_tree)/wine}
version=${DRAVOLIN_WINE_VERSION:-winxp}
program=$1; shift
scenario="$root/scenarios/$(basename "$program" .exe)-$version-$$"

wine_template "$root/template"
wine_scenario "$root/template" "$scenario" "$version"
trap 'wine_scenario_end; rm -rf "$scenario"' EXIT

if command -v xvfb-run >/dev/null 2>&1 && [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a wine "$program" "$@" </dev/null
else
  wine "$program" "$@" </dev/null
fi
