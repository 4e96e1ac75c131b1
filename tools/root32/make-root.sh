#!/usr/bin/env bash
# make-root.sh: makes, once, the Debian 13 root in which the 32-bit kit's
# tests run: Wine 10 in Debian's classic multiarch layout (wine64 plus
# wine32:i386), QEMU 10's user-mode emulator, and the preload that QEMU's
# 32-bit processes need (fault-trap-shim.c). Only 32-bit processes ever run
# emulated, and only on a machine that cannot execute 32-bit code
# (emulation.sh); wineserver, the service manager and every 64-bit program
# run natively.
# The root is kept outside the clone (KIT_ROOT32_CACHE, /var/cache/kvt-kit by
# default) with a stamp of the recipe that made it, so a run reuses it and a
# changed recipe remakes it. Prints the root's path. About 500 MB to fetch,
# 2.6 GB on disk, two minutes.
# Exit 0: the root is ready; 1: it cannot be made here (one line says why).
set -eu
recipe=2  # raise when the root's contents below change
suite=trixie
packages=(wine wine64 wine32:i386 libwine libwine:i386 fonts-wine xvfb xauth locales
  qemu-user-static
  binutils-mingw-w64-i686)  # Debian 13's objdump, for the kit's table check
here=$(cd "$(dirname "$0")" && pwd)
cache=${KIT_ROOT32_CACHE:-/var/cache/kvt-kit}
root=$cache/root32
stamp_text="recipe $recipe; $suite; ${packages[*]}"

cannot() { echo "make-root: no 32-bit root, so no 32-bit kit tests here: $*" >&2; exit 1; }

# The preload, built again whenever its source changed: the i386 build for
# the 32-bit processes, an empty one for the 64-bit ones (ld.so picks by
# $LIB, which is lib/<multiarch triple> in Debian).
build_shim() {  # root
  local shim=$1/usr/local/lib/fault-trap-shim
  cmp -s "$here/fault-trap-shim.c" "$shim/fault-trap-shim.c" && return 0
  mkdir -p "$shim/lib/i386-linux-gnu" "$shim/lib/x86_64-linux-gnu"
  gcc -m32 -shared -fPIC -nostdlib -O2 -fno-stack-protector -o "$shim/lib/i386-linux-gnu/fault-trap-shim.so" \
      "$here/fault-trap-shim.c" "$1/lib/i386-linux-gnu/libc.so.6" -Wl,--allow-shlib-undefined ||
    cannot "gcc cannot build the 32-bit preload"
  echo 'void fault_trap_shim_none(void) {}' |
    gcc -x c -shared -fPIC -nostdlib -O2 -o "$shim/lib/x86_64-linux-gnu/fault-trap-shim.so" -
  echo '/usr/local/lib/fault-trap-shim/$LIB/fault-trap-shim.so' >"$1/etc/ld.so.preload"
  cp "$here/fault-trap-shim.c" "$shim/fault-trap-shim.c"
}

# Making the root and entering it (chroot, mounts) both need root.
[ "$(id -u)" = 0 ] || cannot "this needs root"
made() { [ -f "$root/.kit-root-stamp" ] && [ "$(head -1 "$root/.kit-root-stamp")" = "$stamp_text" ]; }
if made; then
  build_shim "$root"; echo "$root"; exit 0
fi
command -v mmdebstrap >/dev/null || cannot "mmdebstrap is missing (tools/setup-machine.sh installs it)"
# The Debian mirror apt already uses here.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
  awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i } /^deb / { print ($2 ~ /^\[/ ? $3 : $2) }' |
  grep -E '/debian/?$' | head -1)
[ -n "$mirror" ] || cannot "no Debian mirror in /etc/apt/sources.list*"

mkdir -p "$cache"
exec 8>"$cache/root32.lock"
flock 8
if made; then
  build_shim "$root"; echo "$root"; exit 0  # made by another run meanwhile
fi
echo "make-root: making the Debian 13 root for the 32-bit kit in $root (two minutes, once)" >&2
new=$root.new
rm -rf "$new" "$root"
include=$(IFS=,; echo "${packages[*]}")
if ! mmdebstrap --quiet --variant=minbase --architectures=amd64,i386 --include="$include" \
     "$suite" "$new" "deb $mirror $suite main" >"$cache/root32.log" 2>&1; then
  rm -rf "$new"
  cannot "mmdebstrap failed (see $cache/root32.log)"
fi
rm -rf "$new"/var/lib/apt/lists/* "$new"/var/cache/apt/*.bin "$new"/var/cache/apt/archives/*.deb

# The stamp: the recipe, then the Wine and QEMU versions it brought.
{ echo "$stamp_text"
  chroot "$new" dpkg-query -W -f='wine ${Version}\n' libwine:amd64
  chroot "$new" dpkg-query -W -f='qemu ${Version}\n' qemu-user-static; } >"$new/.kit-root-stamp"
build_shim "$new"
mv "$new" "$root"
echo "$root"
