# Makes the guest's kernel and initramfs known: Debian's own kernel from
# /boot (linux-image-amd64, which runs i386 programs), and an initramfs of
# busybox-static, that kernel's 9p and overlay modules and our init. The
# initramfs is cached outside the checkout, named by what it was made from,
# and made again when any of that changes. Source it.
GUEST_CACHE=${GUEST_CACHE:-/var/cache/dravolin-guest}
guest_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# In load order. A kernel may have some built in (Debian 13's has virtio),
# keep them compressed (.ko.xz) or have merged them: fscache is part of netfs
# from Linux 6.x on, so only it may be absent.
guest_modules=(virtio_ring virtio virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci
               netfs fscache 9pnet 9pnet_virtio 9p overlay)
guest_optional_modules=" fscache "

# The newest Debian kernel in /boot.
guest_kernel() {
  local kernel
  kernel=$(ls /boot/vmlinuz-*-amd64 2>/dev/null | sort -V | tail -n 1)
  [ -n "$kernel" ] || { echo "guest: no kernel in /boot (install linux-image-amd64)" >&2; return 1; }
  echo "$kernel"
}

guest_initramfs() {
  local kernel version key image staging module file
  kernel=$(guest_kernel) || return 1
  version=${kernel#/boot/vmlinuz-}
  mkdir -p "$GUEST_CACHE"
  key=$( { echo "$version"; dpkg-query -W -f='${Version}' busybox-static
           cat "$guest_here/init"; } | sha256sum | cut -c1-16)
  image=$GUEST_CACHE/initramfs-$version-$key.cpio.gz
  if [ ! -f "$image" ]; then
    staging=$(mktemp -d)
    mkdir -p "$staging"/{bin,modules,proc,sys,dev}
    : >"$staging/modules/order"
    cp /bin/busybox "$staging/bin/busybox"
    for module in "${guest_modules[@]}"; do
      grep -q "/$module\.ko\$" "/lib/modules/$version/modules.builtin" 2>/dev/null && continue
      file=$(find "/lib/modules/$version/kernel" -name "$module.ko" -o -name "$module.ko.xz" | head -n 1)
      if [ -z "$file" ]; then
        [[ $guest_optional_modules == *" $module "* ]] && continue
        echo "guest: module $module missing for $version" >&2; rm -rf "$staging"; return 1
      fi
      case $file in
        *.xz) /bin/busybox xzcat "$file" >"$staging/modules/$module.ko" ;;
        *) cp "$file" "$staging/modules/" ;;
      esac
      echo "$module" >>"$staging/modules/order"
    done
    install -m 755 "$guest_here/init" "$staging/init"
    rm -f "$GUEST_CACHE"/initramfs-*.cpio.gz
    (cd "$staging" && find . | cpio -o -H newc --quiet | gzip -1) >"$image.tmp"
    mv "$image.tmp" "$image"
    rm -rf "$staging"
  fi
  echo "$image"
}
