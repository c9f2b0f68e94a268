#!/bin/bash
# Runs in the guest's root (the host's own files under a tmpfs overlay, set up
# by the initramfs): runs the command that run.sh left in the control folder,
# from the folder it was called in, leaves its exit code beside it and powers
# the guest off.
stty -F /dev/console -onlcr 2>/dev/null
export HOME=/root TMPDIR=/tmp
# The host's environment is not the guest's: only what run.sh chose to carry.
. "$GUEST_CONTROL/environment"
(cd "$GUEST_CWD" && exec bash "$GUEST_CONTROL/command") </dev/null >/dev/console 2>&1
echo $? >"$GUEST_CONTROL/exit-code"
sync
echo o >/proc/sysrq-trigger
sleep 60
