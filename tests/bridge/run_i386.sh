#!/usr/bin/env bash
# Runs a static i386 Linux test program: directly where the kernel runs
# 32-bit x86 code, else under qemu's user-mode emulator; skips (77) when
# neither can, or when the program could not be built here.
#   run_i386.sh PROGRAM [ARGS...]
set -u
skip=77
program=${1:-}
if [ -z "$program" ] || [ ! -x "$program" ]; then
  echo "SKIPPED: no i386 build of the test (the host compiler cannot build -m32 programs;" \
       "install g++-multilib)"
  exit $skip
fi
shift
# Starting the program itself tells whether this kernel runs i386 code.
if "$program" --version >/dev/null 2>&1; then
  exec "$program" "$@"
fi
for emulator in qemu-i386-static qemu-i386; do
  if command -v "$emulator" >/dev/null 2>&1; then
    exec "$emulator" "$program" "$@"
  fi
done
echo "SKIPPED: this kernel does not run 32-bit x86 programs and no qemu-i386 is installed"
exit $skip
