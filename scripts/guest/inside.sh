#!/bin/bash
# Runs in the guest's root (the host's own files under a tmpfs overlay, set up
# by the initramfs): runs the command that run.sh left in the control folder,
# from the folder it was called in, leaves its exit code beside it and powers
# the guest off.
stty -F /dev/console -onlcr 2>/dev/null
read -r uptime _ </proc/uptime
echo "guest: booted in ${uptime%.*} s" >/dev/console
export HOME=/root TMPDIR=/tmp
# The host's environment is not the guest's: only what run.sh chose to carry.
. "$GUEST_CONTROL/environment"
# Through a pipe, not straight to the console: programs that see a terminal
# colour their output, and the host reads it as plain text.
(cd "$GUEST_CWD" && exec bash "$GUEST_CONTROL/command") </dev/null 2>&1 | cat >/dev/console
echo "${PIPESTATUS[0]}" >"$GUEST_CONTROL/exit-code"
sync
echo o >/proc/sysrq-trigger
# Power-off takes a moment; wait in the shell itself, since programs can no
# longer be loaded from a root that is going away.
while :; do :; done
