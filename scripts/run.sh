#!/usr/bin/env bash
# The run command: installs what is missing, builds Dravolin.exe and starts it
# under Wine on the demo machine (demo/: a machine cluttered by other burning
# software). With a display the user gets the real window; without one,
# run-demo.sh presses Test, prints the report and saves a screenshot. Where
# this kernel refuses i386 programs (or DRAVOLIN_GUEST=1), that runs in a
# QEMU guest machine whose kernel runs them (scripts/guest/).
#   scripts/run.sh [words for Dravolin's command line, e.g. GERMAN]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target Dravolin e2e_driver >/dev/null

. tests/wine/wine-lib.sh
why=
if [ "${DRAVOLIN_GUEST:-0}" = 1 ]; then
  echo "DRAVOLIN_GUEST=1: Dravolin runs in a guest machine (QEMU) whose kernel runs 32-bit x86 programs."
elif ! why=$(wine_machine_can_run); then
  echo "Wine does not start on this machine ($why): Dravolin runs in a guest machine (QEMU) whose kernel runs 32-bit x86 programs."
fi
if [ "${DRAVOLIN_GUEST:-0}" = 1 ] || [ -n "$why" ]; then
  # There the prefix lies on a RAM disk of the guest's, made and seeded afresh.
  bash scripts/guest/run.sh --timeout 1200 -- bash -c '
    . scripts/guest/ram-disk.sh && guest_ram_disk build/windows/wine &&
    exec bash scripts/run-demo.sh build/windows/wine/demo "$@"' run-demo "$@"
  echo "Dravolin ran in a guest machine."
  exit 0
fi

if [ -n "${DISPLAY:-}" ]; then
  exec bash scripts/run-demo.sh --window "$root/build/run/prefix" "$@"
fi
exec bash scripts/run-demo.sh "$root/build/run/prefix" "$@"
