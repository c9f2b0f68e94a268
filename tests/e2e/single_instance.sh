#!/usr/bin/env bash
# A second start raises the running dialog back to its place, topmost, and
# ends with 0 without a window of its own.
. "$(dirname "$0")/e2e-lib.sh"
e2e_start_display
export LC_ALL=en_US.UTF-8
e2e_prefix single winxp

start_dravolin
first=$DRAVOLIN_PID
check "first dialog shown" drv find
check "moved away for the test" drv move-away
start_dravolin GERMAN
check "second start ends with 0" exits_with "$DRAVOLIN_PID" 0
check "one dialog only" drv count 1
check "first dialog back at its place, topmost, in its language" expect_captions $ENGLISH + expect-placed
drv command 1000
check "first ends with 0" exits_with "$first" 0
e2e_end
