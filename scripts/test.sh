#!/usr/bin/env bash
# The test command: installs what is missing, builds both presets and runs
# every suite through CTest, then the sanitizer build and the fuzzers.
# The Windows-side suites run under Wine: here when this kernel runs 32-bit
# x86 programs, else in a QEMU guest whose kernel does (scripts/guest/), in
# one boot. DRAVOLIN_GUEST=1 takes the guest either way.
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

started=$(date +%s)
if [ "${DRAVOLIN_GUEST:-0}" = 1 ] || ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "test.sh: this kernel does not run i386 programs (or DRAVOLIN_GUEST=1): the Windows-side suites run in a QEMU guest"
  run_ctest windows --label-regex host-only || status=1
  bash scripts/guest/run.sh --timeout 3000 -- bash scripts/guest/windows-suites.sh 2>&1 | tee -a "$log"
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
else
  run_ctest windows --label-exclude matrix-extra || status=1
fi
phase "Windows-side suites" "$started"

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
