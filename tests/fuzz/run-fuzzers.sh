#!/usr/bin/env bash
# Runs every fuzz target (or those named after the time) for SECONDS seconds
# each, starting from its committed seed corpus, and prints how many inputs
# each ran without a finding. Needs the fuzz preset built:
#   cmake --preset fuzz && cmake --build --preset fuzz -j2
# New inputs go to build/fuzz/corpus/<target>, findings to build/fuzz/findings/;
# the committed corpus is never written. Fails when a target finds something.
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:?usage: run-fuzzers.sh SECONDS [target...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(shown_data report_buffer path_buffer running_program_message reg_file file_manifest)

bin=build/fuzz/tests/fuzz
status=0
for target in "${targets[@]}"; do
  work=build/fuzz/corpus/$target
  findings=build/fuzz/findings
  mkdir -p "$work" "$findings"
  log=build/fuzz/$target.log
  if "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$findings/$target-" \
       "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${runs:-?} executions in ${seconds}s, no finding"
  else
    echo "fuzz $target: FINDING, see $log and $findings/$target-*" >&2
    tail -n 30 "$log" >&2
    status=1
  fi
done
exit $status
