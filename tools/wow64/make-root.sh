#!/usr/bin/env bash
# make-root.sh: makes, once, the Debian 13 root in which the 32-bit kit runs
# under Wine 10's WoW64 mode (64-bit Wine, no 32-bit Linux library at all).
# The root is kept outside the clone (KIT_WOW64_CACHE, /var/cache/kvt-kit by
# default) with a stamp of the recipe that made it, so a run reuses it and a
# changed recipe remakes it. Prints the root's path. About 2 GB and a few
# minutes; a WoW64 prefix made in it is about 1.4 GB more.
# Exit 0: the root is ready; 1: it cannot be made here (one line says why).
set -eu
recipe=1  # raise when the root's contents below change
suite=trixie
packages=(wine wine64 libwine fonts-wine xvfb xauth
  libx11-6 libxext6 libxrender1 libxi6 libxrandr2 libxcursor1 libxcomposite1
  libxinerama1 libxxf86vm1 libxfixes3 libfreetype6 libfontconfig1
  binutils-mingw-w64-i686)  # Debian 13's objdump, for the kit's table check

cache=${KIT_WOW64_CACHE:-/var/cache/kvt-kit}
root=$cache/wow64-root
stamp_text="recipe $recipe; $suite; ${packages[*]}"

cannot() { echo "make-root: no WoW64 root, so no 32-bit kit tests here: $*" >&2; exit 1; }

# The hook mmdebstrap calls inside the new root: the 32-bit Windows DLLs of
# the very same Wine version, unpacked, never installed (no i386 Linux parts).
if [ "${1:-}" = --add-i386-dlls ]; then
  new=$2
  version=$(chroot "$new" dpkg-query -W -f='${Version}' libwine)
  chroot "$new" dpkg --add-architecture i386
  chroot "$new" apt-get update -q >/dev/null
  mkdir -p "$new/tmp/i386"
  chroot "$new" sh -c "cd /tmp/i386 && apt-get download -q libwine:i386=$version" >/dev/null
  dpkg-deb -x "$new"/tmp/i386/libwine_*_i386.deb "$new/tmp/i386/tree"
  windows64=$(cd "$new" && find usr/lib -type d -name x86_64-windows -path '*wine*' | head -1)
  [ -n "$windows64" ] || { echo "no x86_64-windows folder in the root" >&2; exit 1; }
  cp -a "$new/tmp/i386/tree/usr/lib/i386-linux-gnu/wine/i386-windows" "$new/$(dirname "$windows64")/"
  rm -rf "$new/tmp/i386"
  chroot "$new" dpkg --remove-architecture i386
  rm -rf "$new"/var/lib/apt/lists/* "$new"/var/cache/apt/*.bin
  exit 0
fi

# Making the root and entering it (chroot, mounts) both need root.
[ "$(id -u)" = 0 ] || cannot "this needs root"
made() { [ -f "$root/.kit-root-stamp" ] && [ "$(head -1 "$root/.kit-root-stamp")" = "$stamp_text" ]; }
if made; then
  echo "$root"; exit 0
fi
command -v mmdebstrap >/dev/null || {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null 2>&1 ||
    cannot "mmdebstrap does not install"
}
# The Debian mirror apt already uses here.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
  awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i } /^deb / { print ($2 ~ /^\[/ ? $3 : $2) }' |
  grep -E '/debian/?$' | head -1)
[ -n "$mirror" ] || cannot "no Debian mirror in /etc/apt/sources.list*"

mkdir -p "$cache"
exec 8>"$cache/wow64-root.lock"
flock 8
if made; then
  echo "$root"; exit 0  # made by another run meanwhile
fi
echo "make-root: making the Debian 13 WoW64 root in $root (a few minutes, once)" >&2
new=$root.new
rm -rf "$new" "$root"
include=$(IFS=,; echo "${packages[*]}")
here=$(cd "$(dirname "$0")" && pwd)
if ! mmdebstrap --quiet --variant=minbase --include="$include" \
     --customize-hook="'$here/make-root.sh' --add-i386-dlls \"\$1\"" \
     "$suite" "$new" "deb $mirror $suite main" >"$cache/wow64-root.log" 2>&1; then
  rm -rf "$new"
  cannot "mmdebstrap failed (see $cache/wow64-root.log)"
fi
# The stamp: the recipe, then the Wine version it brought.
{ echo "$stamp_text"; chroot "$new" dpkg-query -W -f='wine ${Version}\n' libwine; } >"$new/.kit-root-stamp"
mv "$new" "$root"
echo "$root"
