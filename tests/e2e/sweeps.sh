#!/usr/bin/env bash
# Test, New Driver and Old Driver on a prefix seeded with the demo machine, in
# an NT version and in win98: what Test lists, the report and the restart
# prompt after a change, Cancel and OK in the prompt, everything back after
# Old Driver, the running-program guard, and a New Driver that finds nothing.
. "$(dirname "$0")/e2e-lib.sh"
repo=$(cd "$e2e_here/../.." && pwd)
e2e_start_display
export LC_ALL=en_US.UTF-8
TEXT_ALREADY_OPEN=5 TEXT_NO_PROBLEMS=16
IDOK=1 IDCANCEL=2

# The program runs from a folder of its own, as installed.
install_dravolin() {
  mkdir -p "$WINEPREFIX/drive_c/Program Files/Velmo"
  cp "$BIN/Dravolin.exe" "$WINEPREFIX/drive_c/Program Files/Velmo/"
}
start_installed() {
  wine 'C:\Program Files\Velmo\Dravolin.exe' "$@" </dev/null >/dev/null 2>&1 &
  DRAVOLIN_PID=$!
  e2e_pids+=("$DRAVOLIN_PID")
  drv find >/dev/null
}
press() { drv post-command "$1" >/dev/null && drv wait-idle >/dev/null; }
status() { drv raw-text 1004 | iconv -f CP1252 -t UTF-8 | tr -d '\r'; }
status_has() { status | grep -qF -- "$1" || { echo "     status box lacks: $1"; return 1; }; }

# Registry places and files the demo seeds, as sorted lines "key|value",
# names in lower case (a value may come back under its path in other case).
snapshot() {
  local key out=$1
  : >"$out"
  for key in 'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services' \
             'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}' \
             'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDLLs' \
             'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run' \
             'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'; do
    rm -f "$WORK/export.reg"
    wine regedit /E "$(winepath -w "$WORK/export.reg")" "$key" </dev/null >/dev/null 2>&1
    [ -f "$WORK/export.reg" ] || continue
    iconv -f UTF-16 -t UTF-8 "$WORK/export.reg" | tr -d '\r' |
      awk '/^\[/ { key = tolower($0); next } NF { print key "|" tolower($0) }' >>"$out"
  done
  (cd "$WINEPREFIX/drive_c" && find windows/system32 'Demo Start Menu' 'Demo All Users' -type f \
     \( -iname '*.sys' -o -iname '*.dll' -o -iname '*.lnk' \) -newer "$WORK/seeded" -print0 |
     xargs -0 -r md5sum) >>"$out"
  sort -o "$out" "$out"
}

for version in winxp win98; do
  e2e_prefix "demo-$version" "$version"
  bash "$repo/scripts/seed-demo.sh"
  touch -d '-1 minute' "$WORK/seeded"
  install_dravolin
  snapshot "$WORK/before-$version"
  start_installed

  press 1002
  check "$version: Test lists a Startup entry" status_has "Start: Disk Detector.lnk"
  check "$version: Test lists a Run value" status_has $'NeroCheck   \tType Registry: C:\\Program Files\\Burner\\NeroCheck.exe'
  check "$version: Test lists a driver file" status_has $'CDRAL.DLL   \tType: Old driver of DirectCD'
  check "$version: Test lists a service key" status_has 'HKLM\System\CurrentControlSet\Services\ElbyCDIO'
  check "$version: Test never prompts" drv no-prompt $ENGLISH

  drv post-command 1001 >/dev/null
  check "$version: New Driver asks for the restart" drv expect-prompt $ENGLISH
  check "$version: behind the prompt, the report of what is left" drv expect-text 1004 $TEXT_NO_PROBLEMS $ENGLISH
  drv answer-prompt $ENGLISH $IDCANCEL >/dev/null
  check "$version: Cancel keeps the tool open" drv wait-idle
  check "$version: the seeded driver is put aside" test ! -e "$WINEPREFIX/drive_c/windows/system32/CDRAL.DLL"

  drv post-command 1006 >/dev/null
  check "$version: Old Driver asks for the restart" drv expect-prompt $ENGLISH
  drv answer-prompt $ENGLISH $IDCANCEL >/dev/null
  drv wait-idle >/dev/null
  snapshot "$WORK/after-$version"
  check "$version: Old Driver brought every seeded value and file back" \
    diff "$WORK/before-$version" "$WORK/after-$version"

  # A program of the tool's folder showing a window stops every command.
  cp "$BIN/e2e_driver.exe" "$WINEPREFIX/drive_c/Program Files/Velmo/Helper.exe"
  wine 'C:\Program Files\Velmo\Helper.exe' show-window "Velmo Helper" 60 </dev/null >/dev/null 2>&1 &
  helper=$!
  e2e_pids+=("$helper")
  sleep 3
  press 1002
  check "$version: the guard names the running program" status_has $'Velmo Helper\nHelper.exe  is already open.'
  kill "$helper" 2>/dev/null; wait "$helper" 2>/dev/null

  # OK ends the program; the restart is requested on the way out (Wine
  # restarts nothing, so what shows is the process ending with 0).
  press 1002
  drv post-command 1001 >/dev/null
  check "$version: prompt before OK" drv expect-prompt $ENGLISH
  drv answer-prompt $ENGLISH $IDOK >/dev/null
  check "$version: OK ends the program with 0" exits_with "$DRAVOLIN_PID" 0
  check "$version: and its window is gone" drv gone 5000
  wine_scenario_end
done

# A 9x machine with nothing to find: the no-problems text and no prompt.
e2e_prefix empty-win98 win98
install_dravolin
start_installed
drv post-command 1001 >/dev/null
check "win98, nothing found: no prompt" drv no-prompt $ENGLISH
check "win98, nothing found: the no-problems text" drv expect-text 1004 $TEXT_NO_PROBLEMS $ENGLISH
drv command 1000
check "then Close ends with 0" exits_with "$DRAVOLIN_PID" 0
e2e_end
