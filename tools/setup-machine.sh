#!/usr/bin/env bash
# setup-machine.sh: installs what building and testing the kit needs on Debian 12.
# Does nothing when everything is there; needs root to install anything.
# Never installs wine32 or the i386 architecture on the host: the 32-bit kit
# runs in a root of its own (tools/root32).
set -eu
packages=(
  cmake ninja-build ccache
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
  gcc-mingw-w64-x86-64-win32 gcc-mingw-w64-i686-win32
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 mingw-w64-common mingw-w64-x86-64-dev mingw-w64-i686-dev
  wine wine64 libwine
  xvfb xauth x11-apps imagemagick
  googletest
  clang libclang-rt-14-dev lld
  python3 util-linux procps
  locales
  mmdebstrap gcc  # the 32-bit root (tools/root32)
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "setup-machine: missing packages: ${missing[*]}" >&2
  echo "setup-machine: run this script as root, or: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
echo "setup-machine: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
