#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins for apt-get, dpkg and dpkg-query
# that answer as a mirror caught mid-sync does: the update exits 100 with an
# index that did not arrive, and the install resolves only against the
# release's own suite.
#   check.sh SOURCE_DIR
set -uo pipefail
script=$1/scripts/install-deps.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL ($case): $*"; failed=1; }

# Only the stand-ins and the few tools the script needs, so no real apt,
# dpkg or sudo can answer.
mkdir "$work/bin"
for tool in bash env grep tr tail mktemp rm seq sleep; do
  ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
echo 'VERSION_CODENAME=bookworm' >"$work/os-release"
cat >"$work/bin/dpkg-query" <<'STANDIN'
#!/bin/bash
[ "$STANDIN_INSTALLED" = all ] && echo 'install ok installed'
STANDIN
cat >"$work/bin/dpkg" <<'STANDIN'
#!/bin/bash
echo "dpkg $*" >>"$STANDIN_CALLS"
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
STANDIN
cat >"$work/bin/apt-get" <<'STANDIN'
#!/bin/bash
echo "apt-get $*" >>"$STANDIN_CALLS"
if [ "$1" = update ]; then
  echo 'E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (52124 != 52128). Mirror sync in progress? [IP: 151.101.2.132 80]'
  echo 'E: Some index files failed to download. They have been ignored, or old ones used instead.'
  exit 100
fi
if [ "$STANDIN_RESOLVES" = bookworm ] && [[ " $* " == *" -t bookworm "* ]]; then exit 0; fi
echo 'E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages.'
exit 100
STANDIN
cat >"$work/bin/id" <<'STANDIN'
#!/bin/bash
echo "$STANDIN_UID"
STANDIN
chmod +x "$work/bin/"*

# run INSTALLED RESOLVES UID: the script's exit code in $rc, its output in $out.
run() {
  : >"$work/calls"
  out=$(env -i PATH="$work/bin" STANDIN_CALLS="$work/calls" STANDIN_INSTALLED=$1 \
    STANDIN_RESOLVES=$2 STANDIN_UID=$3 INSTALL_DEPS_OS_RELEASE="$work/os-release" \
    INSTALL_DEPS_UPDATE_PAUSE=0 bash "$script" 2>&1)
  rc=$?
  calls=$(cat "$work/calls")
}

case="index out of step"
run none bookworm 0
[ "$rc" = 0 ] || fail "exit $rc: $out"
[ "$(grep -c '^apt-get update' <<<"$calls")" = 3 ] || fail "update not tried three times: $calls"
[ "$(grep -c 'Mirror sync in progress' <<<"$out")" = 1 ] || fail "index error not named once: $out"
grep -q 'Some index files' <<<"$out" && fail "apt's summary shown instead of the failed index: $out"
grep -q '(-t bookworm)' <<<"$out" || fail "second try not announced: $out"
grep -q '^apt-get install .*-t bookworm .*wine32:i386' <<<"$calls" || fail "no install from bookworm: $calls"

case="unresolvable"
run none never 0
[ "$rc" != 0 ] || fail "exit 0 after apt failed"
grep -q '^install-deps: could not install .*cmake .* wine32:i386 .*pkgProblemResolver' <<<"$out" ||
  fail "no line naming the packages and apt's reason: $out"
grep -q '^dpkg --configure -a' <<<"$calls" || fail "dpkg not configured after the failed install: $calls"

case="all installed"
run all bookworm 0
[ "$rc" = 0 ] && [ -z "$out" ] && [ -z "$calls" ] || fail "exit $rc, output '$out', calls '$calls'"

case="no root and no sudo"
run none bookworm 1000
[ "$rc" != 0 ] || fail "exit 0"
grep -q 'needs root: .*cmake' <<<"$out" || fail "no clear message: $out"
[ -z "$calls" ] || fail "apt or dpkg called: $calls"

[ "$failed" = 0 ] && echo "install-deps: 4 cases passed"
exit "$failed"
