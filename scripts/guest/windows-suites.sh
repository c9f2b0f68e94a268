#!/usr/bin/env bash
# Runs inside the guest: the Windows-side CTest suites of build/windows, all
# but the static checks that read the binaries on the host (label
# "host-only") and the versions of the end-to-end matrix that a test run
# leaves out ("matrix-extra"), with their Wine prefixes on a RAM disk.
#   scripts/guest/windows-suites.sh [--full-matrix] [more ctest arguments]
set -Eeuo pipefail
# No step may end the run without a word: the host sees only this output.
trap 'echo "windows-suites.sh: line $LINENO failed with exit code $?" >&2' ERR
cd "$(dirname "$0")/../.."
. scripts/guest/ram-disk.sh
guest_ram_disk build/windows/wine
# A Wine process that a timed-out suite left behind can keep the disk busy;
# the guest powers off next anyway, and CTest's exit code must stand.
trap 'umount -l build/windows/wine build/windows/Testing 2>/dev/null || true' EXIT
# CTest's own records stay in the guest: the host may run CTest in the same
# build tree at the same time.
mkdir -p build/windows/Testing
mount -t tmpfs tmpfs build/windows/Testing
# The run's template prefix first, on its own: under emulation it takes
# minutes, which no suite's time limit should have to carry.
. tests/wine/wine-lib.sh
started=$SECONDS
WINE_XVFB=
wine_own_display
wine_template "$PWD/build/windows/wine/template"
echo "guest: the template prefix took $((SECONDS - started)) s"
left_out='host-only|matrix-extra'
if [ "${1:-}" = --full-matrix ]; then left_out=host-only; shift; fi
# The 64-bit template too, when a suite of this run needs one. grep reads to
# the end: with -q it would stop at the first match, and CTest, still
# writing, would die of SIGPIPE and fail the pipeline.
if ctest --preset windows --label-exclude "$left_out" "$@" --show-only=json-v1 |
     grep 'DRAVOLIN_WINE_ARCH=win64' >/dev/null; then
  started=$SECONDS
  wine_template "$PWD/build/windows/wine/template64" win64
  echo "guest: the 64-bit template prefix took $((SECONDS - started)) s"
fi
kill "$WINE_XVFB" 2>/dev/null || true
# Each suite picks its own kind of prefix.
unset DISPLAY WINEARCH
# One cut point per family of the real program's cut-off in the guest,
# where each costs minutes: New Driver cut on the NT family, Old Driver on 9x.
export DRAVOLIN_WINE_CUT_POINTS=${DRAVOLIN_WINE_CUT_POINTS:-1}
ctest --preset windows --label-exclude "$left_out" -j"$(nproc)" "$@"
