#!/usr/bin/env bash
# The sweeps' two refusals, on the demo machine in an NT version and in
# win98: a program of the tool's folder showing a window stops every command
# and is named, and a New Driver on a machine with nothing to find shows the
# no-problems text without asking for a restart.
. "$(dirname "$0")/e2e-lib.sh"
. "$e2e_here/sweep-lib.sh"
e2e_start_display
export LC_ALL=en_US.UTF-8

for version in winxp win98; do
  seed_demo_prefix "guard-$version" "$version"
  start_installed
  cp "$BIN/e2e_driver.exe" "$WINEPREFIX/drive_c/Program Files/Velmo/Helper.exe"
  wine 'C:\Program Files\Velmo\Helper.exe' show-window "Velmo Helper" 60 </dev/null >/dev/null 2>&1 &
  helper=$!
  e2e_pids+=("$helper")
  sleep 3
  for command in 1002:Test 1001:"New Driver" 1006:"Old Driver"; do
    press "${command%%:*}"
    check "$version: ${command#*:} names the running program" \
      status_has $'Velmo Helper\nHelper.exe  is already open.'
  done
  check "$version: and nothing was put aside" \
    test -e "$WINEPREFIX/drive_c/windows/system32/CDRAL.DLL"
  kill "$helper" 2>/dev/null; wait "$helper" 2>/dev/null
  press 1002
  check "$version: once it is gone, Test lists the machine" status_has "Start: Disk Detector.lnk"
  drv command 1000
  check "$version: Close ends with 0" exits_with "$DRAVOLIN_PID" 0
  wine_scenario_end
done

e2e_prefix empty-win98 win98
install_dravolin
start_installed
drv post-command 1001 >/dev/null
check "win98, nothing found: no prompt" drv no-prompt $ENGLISH
check "win98, nothing found: the no-problems text" drv expect-text 1004 $TEXT_NO_PROBLEMS $ENGLISH
drv command 1000
check "then Close ends with 0" exits_with "$DRAVOLIN_PID" 0
e2e_end
