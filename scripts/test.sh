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
ctest --preset host -j"$jobs" || status=1
ctest --preset windows -j"$jobs" || status=1

# The host suites again with AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for half a minute from its seed corpus.
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$jobs"
ctest --preset asan -j"$jobs" || status=1
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
bash tests/fuzz/run-fuzzers.sh 30 || status=1
exit $status
