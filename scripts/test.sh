#!/usr/bin/env bash
# The test command: installs what is missing, builds the Windows preset, runs
# every Windows-side suite and then the host suites under the sanitizers
# through CTest, then the fuzzers. The Windows-side suites run under Wine:
# here when this kernel runs 32-bit x86 programs, with a few of them once
# more in a QEMU guest (scripts/guest/) so that its path stays alive; else all
# of them in the guest, in one boot. DRAVOLIN_GUEST=1 takes the guest either
# way.
set -euo pipefail
cd "$(dirname "$0")/.."

phase() { echo "test.sh: $1 took $(($(date +%s) - $2)) s"; }

started=$(date +%s)
bash scripts/install-deps.sh
phase "installing what was missing" "$started"
jobs=$(nproc)

started=$(date +%s)
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
phase "Windows build" "$started"

status=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# run_ctest PRESET PARALLEL [ctest arguments]
run_ctest() {
  local preset=$1 parallel=$2
  shift 2
  ctest --preset "$preset" -j"$parallel" "$@" 2>&1 | tee -a "$log"
  return "${PIPESTATUS[0]}"
}

direct=1
/lib/ld-linux.so.2 --version >/dev/null 2>&1 || direct=0
if [ "$direct" = 0 ]; then
  echo "test.sh: this kernel refuses 32-bit x86 programs, so the direct path (Wine on this machine) cannot run here: every Windows-side suite runs in a QEMU guest"
fi
[ "${DRAVOLIN_GUEST:-0}" = 1 ] && direct=0

# The guest runs alone: beside other work, Wine under emulation slows past
# every suite's time limit. Where Wine runs here, the guest's own small run
# (the guest runner, one supported and one unsupported version of the
# matrix, the 16-bit round trip) keeps the path of the machines that refuse
# i386 programs alive; where it cannot, the guest runs every Windows-side
# suite in one boot. pipefail: the pipeline fails with the guest, and the
# phases after it still run.
guest_smoke='^(e2e_version_winxp|e2e_version_win31|bridge16_round_trip_wine)$'
started=$(date +%s)
if [ "$direct" = 1 ]; then
  # The Windows-side suites wait on windows, on Xvfb and on the program's own
  # pauses more than they compute: measured, two at a time left the cores
  # idle half the time, so two per core.
  run_ctest windows $((jobs * 2)) --label-exclude matrix-extra || status=1
  phase "Windows-side suites under Wine on this machine" "$started"
  started=$(date +%s)
  bash scripts/guest/run.sh --timeout 1800 -- bash scripts/guest/windows-suites.sh -R "$guest_smoke" 2>&1 |
    tee -a "$log" || status=1
  phase "the guest's short run" "$started"
else
  run_ctest windows "$jobs" --label-regex host-only || status=1
  phase "Windows-side checks on this machine" "$started"
  started=$(date +%s)
  bash scripts/guest/run.sh --timeout 3600 -- bash scripts/guest/windows-suites.sh 2>&1 |
    tee -a "$log" || status=1
  phase "Windows-side suites in the guest" "$started"
fi

# The host suites, once, with AddressSanitizer and UndefinedBehaviorSanitizer:
# they see every fault a plain build's run would and overruns besides.
started=$(date +%s)
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
run_ctest asan "$jobs" || status=1
phase "sanitizer build and host suites" "$started"

# Each fuzz target for half a minute from its seed corpus, one per core at a time.
started=$(date +%s)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
bash tests/fuzz/run-fuzzers.sh 30 || status=1
phase "fuzz build and runs" "$started"

# One line over all CTest runs. A Windows-side suite never skips: where Wine
# cannot start it fails.
total=$(awk '/tests passed, .* tests failed out of/ { n += $NF } END { print n + 0 }' "$log")
failed=$(awk '/tests passed, .* tests failed out of/ { n += $4 } END { print n + 0 }' "$log")
skipped=$(grep -c '(Skipped)$' "$log" || true)
echo "ctest: $((total - failed - skipped)) passed, $failed failed, $skipped skipped"
[ "$total" -gt 0 ] || status=1
exit $status
