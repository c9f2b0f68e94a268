# Inside the guest: guest_ram_disk DIR mounts a RAM disk with an ext4 file
# system at DIR, for Wine prefixes. Wine keeps the hidden and system
# attributes of files in extended attributes, which this kernel's tmpfs does
# not store; the shared checkout would cost a host round trip per file.
# Memory is taken only as files are written. Source it.
guest_ram_disk() {
  local dir=$1 kib=$((4 * 1024 * 1024))
  modprobe brd rd_nr=1 rd_size="$kib"
  mkfs.ext4 -q -F -O ^has_journal /dev/ram0
  mkdir -p "$dir"
  mount -t ext4 /dev/ram0 "$dir"
}
