#!/usr/bin/env bash
# Dravolin on the demo machine, in a prefix seeded once from demo/ (a machine
# cluttered by other burning software). With --window, the real window on
# the user's $DISPLAY. Without, on a private Xvfb display: it presses Test,
# prints the status box, saves a screenshot to build/run/dravolin.png and
# closes the program.
#   scripts/run-demo.sh [--window] PREFIX [words for Dravolin's command line]
# run.sh calls it, here or inside the guest machine.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
window=0
[ "$1" = --window ] && { window=1; shift; }
prefix=$(realpath -m "$1"); shift
bin=$root/build/windows/bin
run=$root/build/run
mkdir -p "$run"

. tests/wine/wine-lib.sh
WINE_XVFB=
trap 'wine_scenario_end; [ -z "$WINE_XVFB" ] || kill "$WINE_XVFB" 2>/dev/null' EXIT
# The display comes before the prefix's first Wine process: the desktop that
# process starts keeps the display it found.
if [ "$window" = 0 ]; then
  wine_own_display
fi
wine_template "$root/build/windows/wine/template"
if [ ! -f "$prefix/.seeded" ]; then
  wine_scenario "$root/build/windows/wine/template" "$prefix" winxp
  bash scripts/seed-demo.sh
  touch "$prefix/.seeded"
else
  export WINEPREFIX=$prefix
  wineserver -p5 </dev/null >/dev/null 2>&1
fi

if [ "$window" = 1 ]; then
  # A window manager draws the frame here; the screenshot's own frame goes.
  wine_draw_frames off
  echo "Starting Dravolin.exe on $DISPLAY (prefix $WINEPREFIX)."
  wine "$bin/Dravolin.exe" "$@"
  exit 0
fi

# Xvfb has no window manager to draw frames: Wine draws the title bar itself,
# so the screenshot shows the window as a Windows user sees it.
wine_draw_frames
wine "$bin/Dravolin.exe" "$@" </dev/null >/dev/null 2>&1 &
dravolin=$!
wine "$bin/e2e_driver.exe" find >/dev/null
wine "$bin/e2e_driver.exe" command 1002 >/dev/null   # Test
echo "--- Dravolin's report after Test ---"
wine "$bin/e2e_driver.exe" raw-text 1004 | iconv -f CP1252 -t UTF-8 | tr -d '\r'
echo
echo "------------------------------"
import -window root png:- | convert png:- -trim +repage "$run/dravolin.png"
echo "Screenshot: build/run/dravolin.png"
wine "$bin/e2e_driver.exe" command 1000 >/dev/null
wait "$dravolin"
