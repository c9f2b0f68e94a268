#!/usr/bin/env bash
# Makes a fresh Debian 12 or 13 machine ready to build and test both
# deliverables. Run as root (or with sudo at hand). Installs only what is
# missing and stays quiet when all is there.
#
# A mirror caught mid-sync is an everyday event: an index that fails to
# download is named in one line and the install goes on with the lists that
# arrived; an install that apt cannot resolve against a mix of suites (a
# security suite ahead of its i386 half, say) is tried once more against the
# release's own suite. Whatever apt leaves unpacked is configured before the
# script ends.
set -euo pipefail

os_release=${INSTALL_DEPS_OS_RELEASE:-/etc/os-release}
# Seconds between two tries of the index update.
update_pause=${INSTALL_DEPS_UPDATE_PAUSE:-5}
readonly update_tries=3

# Package names that every supported release shares: the clang runtime comes
# through the name that follows the release's default clang, so the fuzz
# preset's clang and its libFuzzer runtime always match.
packages=(
  git cmake make g++ doctest-dev libbenchmark-dev libxml2-utils
  g++-mingw-w64-i686 binutils-mingw-w64-i686 nasm
  wine wine64 wine32:i386 fonts-wine
  xvfb xauth imagemagick
  locales
  gcc-multilib g++-multilib qemu-user-static
  clang libclang-rt-dev
)
# Where this kernel refuses i386, Wine runs in a QEMU guest booted from
# Debian's kernel with an initramfs of busybox (scripts/guest/); where it runs
# i386, the test command still boots the guest once for a short run.
packages+=(qemu-system-x86 linux-image-amd64 busybox-static cpio e2fsprogs kmod)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  sudo=sudo
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# apt's own reason for what went wrong, in one line: its last error.
apt_reason() {
  local reason
  reason=$(grep -E '^(E|W): ' "$log" | grep -v 'Some index files failed' | tail -n 1 || true)
  [ -n "$reason" ] || reason=$(tail -n 1 "$log")
  echo "$reason" | tr -s ' \t' ' '
}
apt_get() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get "$@" >"$log" 2>&1
}
# A dpkg run that was cut off leaves packages unpacked and not configured;
# apt refuses to go on until they are.
finish_dpkg() {
  $sudo env DEBIAN_FRONTEND=noninteractive dpkg --configure -a >/dev/null 2>&1 || true
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
echo "install-deps: installing ${missing[*]}"

updated=0
for try in $(seq "$update_tries"); do
  if apt_get update -q; then
    updated=1
    break
  fi
  if [ "$try" -lt "$update_tries" ]; then sleep "$update_pause"; fi
done
if [ "$updated" = 0 ]; then
  echo "install-deps: part of the package index did not download ($(apt_reason)); going on with the lists that arrived"
fi

if [ -n "$($sudo dpkg --audit 2>/dev/null)" ]; then finish_dpkg; fi
install=(install -y -q --no-install-recommends)
if ! apt_get "${install[@]}" "${missing[@]}"; then
  finish_dpkg
  release=$(. "$os_release" && echo "${VERSION_CODENAME:-}")
  if [ -z "$release" ]; then
    echo "install-deps: could not install ${missing[*]}: $(apt_reason)" >&2
    exit 1
  fi
  echo "install-deps: apt could not install from every suite ($(apt_reason)); trying the release's own versions (-t $release)"
  if ! apt_get "${install[@]}" -t "$release" "${missing[@]}"; then
    finish_dpkg
    echo "install-deps: could not install ${missing[*]}: $(apt_reason)" >&2
    exit 1
  fi
fi
