#!/usr/bin/env bash
# The dialog's start state by Windows version: unsupported systems show the
# notice, supported ones the welcome text; captions are localised either way,
# and Close ends the program with exit code 0.
. "$(dirname "$0")/e2e-lib.sh"
e2e_start_display
export LC_ALL=en_US.UTF-8

for case in win31:$TEXT_OS_UNSUPPORTED nt351:$TEXT_OS_UNSUPPORTED win98:$TEXT_WELCOME \
            nt40:$TEXT_WELCOME winxp:$TEXT_WELCOME; do
  version=${case%%:*} status=${case#*:}
  e2e_prefix "start-$version" "$version"
  start_dravolin
  check "$version: status box" drv expect-text 1004 "$status" $ENGLISH
  check "$version: captions" expect_captions $ENGLISH
  check "$version: placed topmost" drv expect-placed
  drv command 1000
  check "$version: Close ends with 0" exits_with "$DRAVOLIN_PID" 0
  wine_scenario_end
done
e2e_end
