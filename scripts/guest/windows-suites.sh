#!/usr/bin/env bash
# Runs inside the guest: the Windows-side CTest suites of build/windows, all
# but the static checks that read the binaries on the host (label
# "host-only"), with their Wine prefixes on a RAM disk.
#   scripts/guest/windows-suites.sh [more ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/guest/ram-disk.sh
guest_ram_disk build/windows/wine
trap 'umount build/windows/wine' EXIT
ctest --preset windows --label-exclude host-only -j"$(nproc)" "$@"
