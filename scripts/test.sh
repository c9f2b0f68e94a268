#!/usr/bin/env bash
# The test command: installs what is missing, builds both presets and runs
# every suite through CTest, then the sanitizer build and the fuzzers.
# The Windows-side suites run under Wine: here when this kernel runs 32-bit
# x86 programs, then a few of them once more in a QEMU guest (scripts/guest/)
# so that its path stays alive; else all of them in the guest, in one boot.
# DRAVOLIN_GUEST=1 takes the guest either way.
set -euo pipefail
cd "$(dirname "$0")/.."

phase() { echo "test.sh: $1 took $(($(date +%s) - $2)) s"; }

started=$(date +%s)
bash scripts/install-deps.sh
phase "installing what was missing" "$started"
jobs=$(nproc)

started=$(date +%s)
cmake --preset host >/dev/null
cmake --build --preset host -j"$jobs"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
phase "host and Windows builds" "$started"

status=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run_ctest() { ctest --preset "$@" -j"$jobs" 2>&1 | tee -a "$log"; return "${PIPESTATUS[0]}"; }

started=$(date +%s)
run_ctest host || status=1
phase "host suites" "$started"

# The guest's own small run where Wine runs here: the guest runner, one
# supported and one unsupported version of the matrix, the 16-bit round trip.
# It keeps the path of the machines that refuse i386 programs alive.
guest_smoke='^(e2e_version_winxp|e2e_version_win31|bridge16_round_trip_wine)$'
started=$(date +%s)
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "test.sh: this kernel refuses 32-bit x86 programs, so the direct path (Wine on this machine) cannot run here: every Windows-side suite runs in a QEMU guest"
fi
if [ "${DRAVOLIN_GUEST:-0}" = 1 ] || ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  run_ctest windows --label-regex host-only || status=1
  phase "Windows-side checks on this machine" "$started"
  started=$(date +%s)
  # pipefail: the pipeline fails with the guest, and the phases after it run.
  bash scripts/guest/run.sh --timeout 3000 -- bash scripts/guest/windows-suites.sh 2>&1 |
    tee -a "$log" || status=1
  phase "Windows-side suites in the guest" "$started"
else
  run_ctest windows --label-exclude matrix-extra || status=1
  phase "Windows-side suites under Wine on this machine" "$started"
  started=$(date +%s)
  bash scripts/guest/run.sh --timeout 1800 -- bash scripts/guest/windows-suites.sh -R "$guest_smoke" 2>&1 |
    tee -a "$log" || status=1
  phase "the guest's short run" "$started"
fi

# The host suites again with AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for half a minute from its seed corpus.
started=$(date +%s)
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
run_ctest asan || status=1
phase "sanitizer build and suites" "$started"
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
