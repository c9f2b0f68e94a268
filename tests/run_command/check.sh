#!/usr/bin/env bash
# The README's run command as a newcomer meets it: scripts/run.sh in a copy of
# this checkout with an empty build tree and no display. It must end well,
# print the demo machine's exact report and save the screenshot. It takes the
# path this machine takes: Wine here where the kernel runs i386 programs, the
# guest where it refuses them (or DRAVOLIN_GUEST=1).
#   check.sh SOURCE_DIR
set -uo pipefail
source_dir=$(cd "$1" && pwd)
copy=$(mktemp -d /tmp/dravolin-run-command.XXXXXX)
trap 'rm -rf "$copy"' EXIT

# Tracked and new files alike, never a build tree.
(cd "$source_dir" && git ls-files -co --exclude-standard -z | tar --null -T - -cf -) |
  tar -C "$copy" -xf - || { echo "FAILED: cannot copy the checkout"; exit 1; }

cd "$copy"
env -u DISPLAY bash scripts/run.sh >output.log 2>&1
code=$?
cat output.log
[ "$code" = 0 ] || { echo "FAILED: scripts/run.sh exited with $code"; exit 1; }

failures=0
sed -n '/^--- Dravolin.s report after Test ---$/,/^------------------------------$/p' output.log |
  sed '1d;$d' | sed '$d' >report.txt
if ! diff "$source_dir/demo/report-nt.txt" report.txt; then
  echo "FAILED: the report differs from demo/report-nt.txt"
  failures=$((failures + 1))
fi
if [ ! -s build/run/dravolin.png ]; then
  echo "FAILED: no screenshot in build/run/dravolin.png"
  failures=$((failures + 1))
fi
[ "$failures" = 0 ] && echo "the run command held"
exit "$failures"
