#!/usr/bin/env bash
# Runs one Windows test program under Wine in a scratch prefix of its own and
# passes its exit code on. CTest uses it as the emulator of the Windows build.
#   DRAVOLIN_WINE_VERSION  Windows version of the prefix (default winxp)
#   DRAVOLIN_WINE_ARCH     win32 (default) or win64: a 64-bit Windows
#   DRAVOLIN_WINE_ROOT     folder for the template and the scratch prefixes
#                          (default: "wine" in the build tree CTest runs in)
#   DRAVOLIN_WINE_LOCALE   a Unix locale such as ja_JP: the program runs in it,
#                          made in UTF-8 below the root, and Wine takes its
#                          code page (ja_JP: 932)
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
arch=${DRAVOLIN_WINE_ARCH:-win32}
template="$root/template"
[ "$arch" = win64 ] && template="$root/template64"
program=$1; shift
scenario="$root/scenarios/$(basename "$program" .exe)-$version-$arch-$$"

if [ -n "${DRAVOLIN_WINE_LOCALE:-}" ]; then
  wine_unix_locale "$root/locales" "$DRAVOLIN_WINE_LOCALE" || exit 1
fi

WINE_XVFB=
trap 'wine_scenario_end; [ -z "$WINE_XVFB" ] || kill "$WINE_XVFB" 2>/dev/null; rm -rf "$scenario"' EXIT
# Test programs make windows: the display comes before the prefix's first
# Wine process, and it is this run's own, whatever the calling shell has.
wine_own_display || exit 1
wine_template "$template" "$arch"
wine_scenario "$template" "$scenario" "$version"
wine "$program" "$@" </dev/null
