#!/usr/bin/env bash
# small-disk.sh mount|unmount DIR: a 64 KB RAM disk (tmpfs) at DIR, for
# kvtlog's full-disk case (CTest runs it before and after the kvtlog tests).
# DIR lies under /dev/shm, so the 32-bit root (which shares /dev) sees it at
# the same path. Without the right to mount (not root) there is no disk,
# and the case says it is skipped.
set -u
action=$1 dir=$2
case $action in
  mount)
    mkdir -p "$dir"
    mountpoint -q "$dir" && umount "$dir"
    if mount -t tmpfs -o size=64k,mode=1777 kvtlog-small-disk "$dir" 2>/dev/null; then
      echo "small disk (64 KB) at $dir"
    else
      echo "cannot mount a small disk at $dir (not root?): the full-disk case will be skipped"
    fi ;;
  unmount)
    mountpoint -q "$dir" && umount "$dir"
    rmdir "$dir" 2>/dev/null ;;
  *) echo "usage: small-disk.sh mount|unmount DIR" >&2; exit 2 ;;
esac
exit 0
