#!/usr/bin/env bash
# The run command: installs what is missing, builds Dravolin.exe and starts it
# under Wine in a prefix of its own under build/run, seeded once from the demo
# machine in demo/ (a machine cluttered by other burning software). With a
# display the user gets the real window; without one it runs on a private
# Xvfb display, presses Test, prints the report and saves a screenshot.
#   scripts/run.sh [words for Dravolin's command line, e.g. GERMAN]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target Dravolin e2e_driver >/dev/null

. tests/wine/wine-lib.sh
if ! why=$(wine_machine_can_run); then
  echo "Dravolin.exe is built (build/windows/bin/Dravolin.exe), but it cannot be started here: $why." >&2
  exit 1
fi

bin=$root/build/windows/bin
run=$root/build/run
wine_template "$root/build/windows/wine/template"
if [ ! -f "$run/prefix/.seeded" ]; then
  wine_scenario "$root/build/windows/wine/template" "$run/prefix" winxp
  bash scripts/seed-demo.sh
  touch "$run/prefix/.seeded"
else
  export WINEPREFIX=$run/prefix
  wineserver -p5 </dev/null >/dev/null 2>&1
fi
trap wine_scenario_end EXIT

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting Dravolin.exe on $DISPLAY (prefix $WINEPREFIX)."
  wine "$bin/Dravolin.exe" "$@"
  exit 0
fi

Xvfb :97 -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wine_scenario_end; kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:97
sleep 1
wine "$bin/Dravolin.exe" "$@" </dev/null >/dev/null 2>&1 &
dravolin=$!
wine "$bin/e2e_driver.exe" find >/dev/null
wine "$bin/e2e_driver.exe" command 1002 >/dev/null   # Test
sleep 1
echo "--- Dravolin's report after Test ---"
wine "$bin/e2e_driver.exe" raw-text 1004 | iconv -f CP1252 -t UTF-8 | tr -d '\r'
echo
echo "------------------------------"
import -window root png:- | convert png:- -trim +repage "$run/dravolin.png"
echo "Screenshot: $run/dravolin.png"
wine "$bin/e2e_driver.exe" command 1000 >/dev/null
wait "$dravolin"
