#!/usr/bin/env bash
# One Windows version, as Wine reports it, from start to restart prompt:
#   version.sh BIN_DIR WINE_ROOT VERSION
# (VERSION win7_64 is win7 as a 64-bit Windows, the demo machine on it
# seeded in both views and its report demo/report-nt64.txt.)
# An unsupported version shows the notice and ends on Close. A supported one
# starts in the welcome state on the demo machine, Test shows the exact
# report of that machine (shorter on the 9x family, which has no CD-ROM class
# filters and keeps its drivers in IOSUBSYS), New Driver puts it all aside and asks for the
# restart, Cancel keeps the tool open, Old Driver brings back every seeded
# value and file, and OK in the prompt ends the program.
. "$(dirname "$0")/e2e-lib.sh"
. "$e2e_here/sweep-lib.sh"
version=$3
e2e_start_display
export LC_ALL=en_US.UTF-8

# The version each entry's Windows tells the program, its manifest read:
# Windows 10 and 11 tell the truth only to a program that names them.
declare -A told=([win95]="4 0" [win98]="4 10" [winme]="4 90" [nt40]="4 0" [win2k]="5 0"
  [winxp]="5 1" [win7]="6 1" [win10]="10 0" [win7_64]="6 1" [win10_64]="10 0")

case $version in
  win31 | nt351)
    e2e_prefix "start-$version" "$version"
    start_dravolin
    check "$version: the notice of an unsupported system, the captions, placed topmost" \
      expect_captions $ENGLISH + expect-text 1004 $TEXT_OS_UNSUPPORTED $ENGLISH + expect-placed
    drv command 1000
    check "$version: Close ends with 0" exits_with "$DRAVOLIN_PID" 0
    e2e_end ;;
  win95 | win98 | winme) family=9x ;;
  *_64) family=nt64 ;;
  *) family=nt ;;
esac

seed_demo_prefix "demo-$version" "$version"
check "the demo machine as seeded" snapshot "$WORK/before"
start_installed
check "start: the welcome text, the captions, placed topmost" \
  expect_captions $ENGLISH + expect-text 1004 $TEXT_WELCOME $ENGLISH + expect-placed
check "the program is told Windows ${told[$version]/ /.}" drv expect-version ${told[$version]}
# XP and later bind the common controls the manifest names, from the
# side-by-side store.
case $version in
  winxp | win7 | win10 | *_64)
    check "its common controls come from the side-by-side store" \
      drv expect-module comctl32.dll '\winsxs\' ;;
esac

press 1002
status >"$WORK/test-report"
check "Test shows the demo machine's report" \
  diff "$repo/demo/report-$family.txt" "$WORK/test-report"
check "Test never prompts" drv no-prompt $ENGLISH

check "New Driver asks for the restart" drv post-command 1001 + expect-prompt $ENGLISH
check "behind the prompt, nothing is left to report" drv expect-text 1004 $TEXT_NO_PROBLEMS $ENGLISH
check "Cancel keeps the tool open" drv answer-prompt $ENGLISH $IDCANCEL + wait-idle
check "New Driver put every finding aside, and only those" demo_findings_aside $family

check "Old Driver asks for the restart" drv post-command 1006 + expect-prompt $ENGLISH
drv answer-prompt $ENGLISH $IDCANCEL + wait-idle >/dev/null
seeded_state_back() { snapshot "$WORK/after" && diff "$WORK/before" "$WORK/after"; }
check "Old Driver brought every seeded value and file back" seeded_state_back

# OK ends the program; the restart is requested on the way out (Wine
# restarts nothing, so what shows is the process ending with 0).
check "prompt before OK" drv post-command 1001 + expect-prompt $ENGLISH
drv answer-prompt $ENGLISH $IDOK >/dev/null
check "OK ends the program with 0" exits_with "$DRAVOLIN_PID" 0
check "and its window is gone" drv gone 5000
e2e_end
