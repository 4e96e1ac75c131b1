#!/usr/bin/env bash
# in-root.sh COMMAND [ARGS...]: runs COMMAND inside the WoW64 root that
# make-root.sh made, in a mount namespace of its own. The clone, /dev, /proc
# and the X server's sockets are shared with the host at the same paths, so a
# host path, a Z: path and DISPLAY mean the same inside; the mounts go away
# with the command. The environment is kept (WINEPREFIX, DISPLAY, KIT_*...).
# Exit 125 when there is no root (CTest then shows the test as failed).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
clone=$(cd "$here/../.." && pwd)
root=${KIT_WOW64_CACHE:-/var/cache/kvt-kit}/wow64-root
if [ ! -f "$root/.kit-root-stamp" ]; then
  echo "in-root: no WoW64 root at $root (tools/wow64/make-root.sh makes it)" >&2
  exit 125
fi
mkdir -p "$root$clone" "$root/tmp/.X11-unix"
exec unshare --mount --propagation private -- bash -c '
  set -e
  root=$1 clone=$2 cwd=$3
  shift 3
  mount --rbind /dev "$root/dev"
  mount -t proc proc "$root/proc"
  mount --bind "$clone" "$root$clone"
  if [ -d /tmp/.X11-unix ]; then mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"; fi
  exec chroot "$root" /bin/sh -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$cwd" "$@"
' in-root "$root" "$clone" "$PWD" "$@"
