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
wine_template "$root/build/windows/wine/template"
if [ ! -f "$prefix/.seeded" ]; then
  wine_scenario "$root/build/windows/wine/template" "$prefix" winxp
  bash scripts/seed-demo.sh
  touch "$prefix/.seeded"
else
  export WINEPREFIX=$prefix
  wineserver -p5 </dev/null >/dev/null 2>&1
fi
xvfb=
trap 'wine_scenario_end; [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null' EXIT

if [ "$window" = 1 ]; then
  echo "Starting Dravolin.exe on $DISPLAY (prefix $WINEPREFIX)."
  wine "$bin/Dravolin.exe" "$@"
  exit 0
fi

# Xvfb picks a free display number itself and writes it once it is ready.
number_file=$run/xvfb-display
rm -f "$number_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -br -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$number_file" ] && break; sleep 0.1; done
[ -s "$number_file" ] || { echo "cannot start Xvfb"; exit 1; }
export DISPLAY=":$(tr -d '\n' <"$number_file")"

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
