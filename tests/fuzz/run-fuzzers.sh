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
findings=build/fuzz/findings

fuzz_target() {
  local target=$1 work=build/fuzz/corpus/$1 log=build/fuzz/$1.log runs
  mkdir -p "$work" "$findings"
  if "$bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$findings/$target-" \
       "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${runs:-?} executions in ${seconds}s, no finding"
  else
    # One write, so that the lines of targets running side by side never mix.
    printf '%s\n' "fuzz $target: FINDING, see $log and $findings/$target-*" "$(tail -n 30 "$log")" >&2
    return 1
  fi
}

# As many targets at a time as there are cores: each uses one.
parallel=$(nproc)
status=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$parallel" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  fuzz_target "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
exit $status
