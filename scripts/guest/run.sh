#!/usr/bin/env bash
# Runs one command inside a QEMU guest whose kernel runs i386 programs, for
# machines whose own kernel refuses them (Wine's 32-bit half cannot start
# there). The guest's root is this machine's root, read-only, under a tmpfs
# overlay: it has exactly the Wine, Xvfb and tools installed here. The
# checkout is shared read-write at its own path, and the command runs from
# the folder run.sh was called in.
#   scripts/guest/run.sh [--timeout SECONDS] [--env NAME]... -- COMMAND [ARGS...]
# Prints the command's output as it comes and exits with its exit code; 124
# with a clear line when the guest did not finish in time, 125 when it did
# not boot or stopped without an exit code.
#   GUEST_MEMORY (default 6G), GUEST_CPUS (default: this machine's cores)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(cd "$here/../.." && pwd)

limit=3600
carried=(PATH LANG LC_ALL CI TERM)
while [ $# -gt 0 ]; do
  case $1 in
    --timeout) limit=$2; shift 2 ;;
    --env) carried+=("$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "usage: $0 [--timeout SECONDS] [--env NAME]... -- COMMAND [ARGS...]" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "guest: no command given" >&2; exit 2; }

. "$here/initramfs.sh"
initramfs=$(guest_initramfs)
kernel=$(guest_kernel)

control=$(mktemp -d "$GUEST_CACHE/run.XXXXXX")
qemu_pid=
finish() {
  # Never leave a guest behind: stop it by its own process id.
  if [ -n "$qemu_pid" ] && kill -0 "$qemu_pid" 2>/dev/null; then
    kill "$qemu_pid" 2>/dev/null
    sleep 1
    kill -9 "$qemu_pid" 2>/dev/null || true
  fi
  rm -rf "$control"
}
trap finish EXIT
trap 'exit 130' INT TERM

printf 'export GUEST_WORK=%q GUEST_CONTROL=%q\n' "$work" "$control" >"$control/paths"
{
  printf 'export GUEST_CWD=%q\n' "$PWD"
  for name in "${carried[@]}"; do
    [ -n "${!name+set}" ] && printf 'export %s=%q\n' "$name" "${!name}"
  done
} >"$control/environment"
printf '%q ' "$@" >"$control/command"
echo >>"$control/command"

# Shares: this machine's root (read-only), the checkout and the control folder.
shares=()
share() {
  shares+=(-virtfs "local,path=${1//,/,,},mount_tag=$2,security_model=none,multidevs=remap,id=$2$3")
}
share / hostroot ,readonly=on
share "$work" work ""
share "$control" control ""
# -smap/-smep: with them the guest kernel oopses in every Wine process.
# panic=-1 with -no-reboot: a guest whose init dies ends QEMU at once.
qemu-system-x86_64 \
  -accel tcg,thread=multi -cpu max,-smap,-smep \
  -smp "${GUEST_CPUS:-$(nproc)}" -m "${GUEST_MEMORY:-6G}" \
  -display none -monitor none -serial stdio -no-reboot -nic none \
  -kernel "$kernel" -initrd "$initramfs" \
  -append "console=ttyS0 quiet loglevel=3 panic=-1" \
  "${shares[@]}" </dev/null &
qemu_pid=$!

deadline=$((SECONDS + limit))
while kill -0 "$qemu_pid" 2>/dev/null; do
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "guest: the command did not finish within $limit s; the guest was stopped" >&2
    exit 124
  fi
  sleep 1
done
wait "$qemu_pid" || true
qemu_pid=
if [ ! -f "$control/exit-code" ]; then
  echo "guest: the guest stopped without the command's exit code (it did not boot, or it failed)" >&2
  exit 125
fi
exit "$(cat "$control/exit-code")"
