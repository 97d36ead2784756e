#!/usr/bin/env bash
# Counts the system calls of one logged commit of kalvenor-cli, per file,
# on exFAT (exfat-fuse on a loop device), NTFS (ntfs-3g on an image), ext4
# (a loop device) and tmpfs, and of the undo that takes it back. Each
# volume is made afresh and holds a folder of $files empty files and, beside
# the folder, the log. The counts come from `strace -c -f` of the built
# tool (every call of the process, the program's start included), divided by
# the number of files. Run by hand, as root:
#
#   bench/syscalls_per_file.sh [path/to/kalvenor-cli] [files]
#
# Needs exfat-fuse, exfatprogs, ntfs-3g, e2fsprogs and strace
# (scripts/install-deps installs them). Prints one line per file system:
# calls per file for the commit and the undo, and the commit's calls per
# file of the kinds that rename, reserve, log and sync (those above 0.01).
set -euo pipefail

cli=$(realpath "${1:-"$(dirname "$0")/../build/cli/kalvenor-cli"}")
files=${2:-9999}

[ "$(id -u)" -eq 0 ] || { echo "needs root to make and mount file systems" >&2; exit 2; }
[ -x "$cli" ] || { echo "no kalvenor-cli at $cli; build it first" >&2; exit 2; }
for tool in strace mkfs.exfat mount.exfat-fuse mkntfs ntfs-3g mkfs.ext4 losetup; do
  command -v "$tool" >/dev/null || PATH=$PATH:/usr/sbin:/sbin
  command -v "$tool" >/dev/null || { echo "needs $tool (scripts/install-deps)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kalvenor-syscalls-XXXXXX")
mnt=$work/mnt
loop=""
cleanup() {
  mountpoint -q "$mnt" && umount "$mnt"
  [ -n "$loop" ] && { for _ in $(seq 50); do losetup -d "$loop" 2>/dev/null && break; sleep 0.1; done; }
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$mnt"

# Makes the volume of kind $1, mounted at $mnt.
make_volume() {
  local image=$work/$1.img
  case $1 in
    tmpfs) mount -t tmpfs -o size=256m tmpfs "$mnt" ;;
    ext4)
      truncate -s 256M "$image" && mkfs.ext4 -q -F "$image"
      loop=$(losetup -f --show "$image") && mount "$loop" "$mnt" ;;
    exfat)
      truncate -s 256M "$image" && mkfs.exfat "$image" >/dev/null
      loop=$(losetup -f --show "$image") && mount.exfat-fuse "$loop" "$mnt" >/dev/null ;;
    ntfs)
      truncate -s 256M "$image" && mkntfs -F -q -f "$image" >/dev/null 2>&1
      ntfs-3g "$image" "$mnt" ;;
  esac
}

unmount_volume() {
  umount "$mnt"
  if [ -n "$loop" ]; then
    for _ in $(seq 50); do losetup -d "$loop" 2>/dev/null && break; sleep 0.1; done
    loop=""
  fi
  rm -f "$work"/*.img
}

# The number of calls of one name in a strace -c summary ("total": all).
calls() { awk -v name="$2" '$NF == name { print $4 }' "$1" | head -1; }
per_file() { awk -v n="${1:-0}" -v f="$files" 'BEGIN { printf "%.2f", n / f }'; }

printf '%-6s %8s %8s   %s\n' "" "commit" "undo" "commit, per file, by call"
for kind in exfat ntfs ext4 tmpfs; do
  make_volume "$kind"
  mkdir "$mnt/p"
  (cd "$mnt/p" && seq -f 'img_%05g.jpg' 1 "$files" | xargs touch)
  strace -c -f -o "$work/commit.txt" "$cli" -b Holiday -c -l "$mnt/k.log" "$mnt/p" >/dev/null
  strace -c -f -o "$work/undo.txt" "$cli" --undo-log "$mnt/k.log" >/dev/null 2>&1 || true
  detail=""
  for name in renameat2 linkat unlinkat openat newfstatat utimensat renameat write fdatasync fsync ftruncate close; do
    n=$(calls "$work/commit.txt" "$name")
    [ -n "$n" ] && [ "$n" -ge $((files / 100)) ] && detail+="$name $(per_file "$n")  "
  done
  printf '%-6s %8s %8s   %s\n' "$kind" "$(per_file "$(calls "$work/commit.txt" total)")" \
    "$(per_file "$(calls "$work/undo.txt" total)")" "$detail"
  unmount_volume
done
