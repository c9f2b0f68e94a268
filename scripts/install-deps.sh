#!/usr/bin/env bash
# Makes a fresh Debian 12 machine ready to build and test both deliverables.
# Run as root (or with sudo at hand). Installs only what is missing and stays
# quiet when all is there.
set -euo pipefail

packages=(
  cmake make g++ doctest-dev libbenchmark-dev libxml2-utils
  g++-mingw-w64-i686 binutils-mingw-w64-i686 nasm
  wine wine64 wine32:i386 fonts-wine
  xvfb xauth imagemagick
  locales
  gcc-multilib g++-multilib qemu-user-static
  clang libclang-rt-14-dev
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

export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq >/dev/null
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
