# Helpers of the end-to-end scenarios: a scratch Wine prefix on a private X
# display, Dravolin.exe started in it, and the driver that works its window.
# Scenarios are run as: scenario.sh BIN_DIR WINE_ROOT; the run's template
# prefix is WINE_ROOT/template (WINE_ROOT/template64 for a 64-bit Windows),
# the scenario's prefixes lie beside it.
set -u
e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$e2e_here/../wine/wine-lib.sh"
wine_require

BIN=$(cd "$1" && pwd)
WINE_ROOT=$2
# A scenario taking a third word (a version) works in a folder of that name.
WORK=$WINE_ROOT/$(basename "$0" .sh)${3:+-$3}
mkdir -p "$WORK"
e2e_failures=0
e2e_pids=()

# Role and language numbers of the text catalogue, as the driver takes them.
TEXT_WINDOW_TITLE=0 TEXT_SUPPORT_LABEL=2 TEXT_TEST_LABEL=3 TEXT_OLD_DRIVER_LABEL=4
TEXT_CLOSE_LABEL=7 TEXT_NEW_DRIVER_LABEL=8 TEXT_WELCOME=12 TEXT_NO_ADMIN_RIGHTS=13
TEXT_OS_UNSUPPORTED=14
GERMAN=0 ENGLISH=1 FRENCH=2 ITALIAN=3 DUTCH=4 SPANISH=5

# A private Xvfb display, started before the scenario's first Wine process
# (wine_own_display says why), never the calling shell's.
e2e_start_display() {
  wine_own_display || exit 1
  e2e_xvfb=$WINE_XVFB
}

# e2e_prefix NAME VERSION: a fresh prefix copied from the run's template. A
# version ending in _64 (win7_64) is that version as a 64-bit Windows, copied
# from the run's 64-bit template.
e2e_prefix() {
  local template=$WINE_ROOT/template arch=win32 version=$2
  if [ "${version%_64}" != "$version" ]; then
    template+=64 arch=win64 version=${version%_64}
  fi
  wine_template "$template" "$arch"
  wine_scenario "$template" "$WORK/$1" "$version"
}

e2e_cleanup() {
  local pid
  for pid in "${e2e_pids[@]}"; do kill "$pid" 2>/dev/null; done
  wine_scenario_end
  [ -n "${e2e_xvfb:-}" ] && kill "$e2e_xvfb" 2>/dev/null
  return 0
}
trap e2e_cleanup EXIT

# Starts Dravolin.exe with the given words; its process id is in DRAVOLIN_PID.
start_dravolin() {
  wine "$BIN/Dravolin.exe" "$@" </dev/null >/dev/null 2>&1 &
  DRAVOLIN_PID=$!
  e2e_pids+=("$DRAVOLIN_PID")
}

drv() { wine "$BIN/e2e_driver.exe" "$@" </dev/null; }

check() {
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; e2e_failures=$((e2e_failures + 1)); fi
}

# Waits for a process to end and checks its exit code.
exits_with() {
  local pid=$1 want=$2 code
  wait "$pid"; code=$?
  [ "$code" = "$want" ] || { echo "     exit code $code, want $want"; return 1; }
}

# expect_captions LANGUAGE [+ ACTION...]: every caption of the dialog in
# LANGUAGE, then any further actions, in one run of the driver.
expect_captions() {
  local language=$1; shift
  drv expect-text 0 $TEXT_WINDOW_TITLE "$language" + expect-text 1000 $TEXT_CLOSE_LABEL "$language" + \
      expect-text 1001 $TEXT_NEW_DRIVER_LABEL "$language" + expect-text 1002 $TEXT_TEST_LABEL "$language" + \
      expect-text 1005 $TEXT_SUPPORT_LABEL "$language" + expect-text 1006 $TEXT_OLD_DRIVER_LABEL "$language" "$@"
}

e2e_end() {
  if [ "$e2e_failures" = 0 ]; then echo "all checks held"; exit 0; fi
  echo "$e2e_failures check(s) failed"; exit 1
}
