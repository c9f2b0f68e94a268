#!/usr/bin/env bash
# The test command: installs what is missing, builds both presets and runs
# every suite through CTest, then the sanitizer build and the fuzzers.
# Windows-side suites run under Wine; where this machine cannot run Wine they
# are reported as skipped, with the reason.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs=$(nproc)

cmake --preset host >/dev/null
cmake --build --preset host -j"$jobs"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"

status=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run_ctest() { ctest --preset "$1" -j"$jobs" 2>&1 | tee -a "$log"; return "${PIPESTATUS[0]}"; }

run_ctest host || status=1
run_ctest windows || status=1

# The host suites again with AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for half a minute from its seed corpus.
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
run_ctest asan || status=1
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
bash tests/fuzz/run-fuzzers.sh 30 || status=1

# One line over all CTest runs; a skipped suite (Wine where it cannot run)
# is neither passed nor failed.
total=$(awk '/tests passed, .* tests failed out of/ { n += $NF } END { print n + 0 }' "$log")
failed=$(awk '/tests passed, .* tests failed out of/ { n += $4 } END { print n + 0 }' "$log")
skipped=$(grep -c '(Skipped)$' "$log" || true)
echo "ctest: $((total - failed - skipped)) passed, $failed failed, $skipped skipped"
exit $status
