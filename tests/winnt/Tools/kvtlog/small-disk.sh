#!/usr/bin/env bash
# small-disk.sh mount|unmount DIR [LINK]: a 64 KB RAM disk (tmpfs) at DIR,
# for the full-disk cases of kvtlog and kvtmon (CTest runs it before and
# after them). DIR lies under /dev/shm, so the 32-bit root (which shares /dev)
# sees it at the same path; LINK, a symbolic link to it in the build tree,
# is where a Save dialog finds it (Wine's shell sees no folder below Z:\dev).
# Without the right to mount (not root) there is no disk, and the cases say
# they are skipped.
set -u
action=$1 dir=$2 link=${3:-}
case $action in
  mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" && umount "$dir"
    if mount -t tmpfs -o size=64k,mode=1777 kvtlog-small-disk "$dir" 2>/dev/null; then
      echo "small disk (64 KB) at $dir"
      [ -z "$link" ] || ln -sfn "$dir" "$link"
    else
      echo "cannot mount a small disk at $dir (not root?): the full-disk case will be skipped"
    fi ;;
  unmount)
    [ -z "$link" ] || rm -f "$link"
    mountpoint -q "$dir" && umount "$dir"
    rmdir "$dir" 2>/dev/null ;;
  *) echo "usage: small-disk.sh mount|unmount DIR" >&2; exit 2 ;;
esac
exit 0
