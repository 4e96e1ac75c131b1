#!/usr/bin/env bash
# in-root.sh COMMAND [ARGS...]: runs COMMAND inside the 32-bit kit's root
# that make-root.sh made, in a mount namespace of its own. The clone, /dev,
# /proc and /tmp (the X servers' sockets and locks) are shared with the host
# at the same paths, so a host path, a Z: path and DISPLAY mean the same
# inside; the mounts go away with the command. The environment is kept (WINEPREFIX, DISPLAY, KIT_*...).
# Exit 125 when there is no root (CTest then shows the test as failed).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
clone=$(cd "$here/../.." && pwd)
root=${KIT_ROOT32_CACHE:-/var/cache/kvt-kit}/root32
if [ ! -f "$root/.kit-root-stamp" ]; then
  echo "in-root: no 32-bit root at $root (tools/root32/make-root.sh makes it)" >&2
  exit 125
fi
mkdir -p "$root$clone"
export KIT_IN_ROOT32=1
# Inside, /tmp is the host's: a TMPDIR elsewhere is not needed, and Wine 10
# aborts at start with one set ("free(): invalid pointer").
unset TMPDIR
exec unshare --mount --propagation private -- bash -c '
  set -e
  root=$1 clone=$2 cwd=$3
  shift 3
  mount --rbind /dev "$root/dev"
  mount -t proc proc "$root/proc"
  mount --bind "$clone" "$root$clone"
  mount --bind /tmp "$root/tmp"
  exec chroot "$root" /bin/sh -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$cwd" "$@"
' in-root "$root" "$clone" "$PWD" "$@"
