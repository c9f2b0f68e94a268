#!/usr/bin/env bash
# Every way of closing ends the process with 0; Support without a browser for
# the address keeps the tool open.
. "$(dirname "$0")/e2e-lib.sh"
e2e_start_display
export LC_ALL=en_US.UTF-8
e2e_prefix closing winxp

for way in "command 1000" "command 2" key-escape close-box; do
  start_dravolin
  drv find >/dev/null
  drv $way
  check "$way ends with 0" exits_with "$DRAVOLIN_PID" 0
done

# No handler for web addresses in this prefix: ShellExecute fails.
wine reg delete 'HKEY_CLASSES_ROOT\http' /f >/dev/null 2>&1
wine reg delete 'HKEY_CLASSES_ROOT\https' /f >/dev/null 2>&1
start_dravolin
drv find >/dev/null
drv command 1005
sleep 2
check "Support without a browser keeps the tool open" drv find 1000
check "and the status box unchanged" drv expect-text 1004 $TEXT_WELCOME $ENGLISH
drv command 1000
check "then Close ends with 0" exits_with "$DRAVOLIN_PID" 0
e2e_end
