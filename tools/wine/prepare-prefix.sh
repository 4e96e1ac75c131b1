#!/usr/bin/env bash
# prepare-prefix.sh DIR: make DIR a booted 64-bit Wine prefix, once.
# Safe to call from parallel tests: the first caller prepares, the others wait.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
base=$(realpath -m "$1")  # Wine takes only absolute prefix paths
mkdir -p "$(dirname "$base")"
exec 9>"$base.lock"
flock 9
# A prefix prepared by an older version of this script or its settings is
# made again.
[ "$base/.kit-prepared" -nt "$0" ] && [ "$base/.kit-prepared" -nt "$here/test-prefix.reg" ] && exit 0

rm -rf "$base"
export WINEPREFIX=$base
. "$here/../display.sh"
start_xvfb && export DISPLAY=$kit_new_display
"$WINE_LOADER" wineboot --init >/dev/null 2>&1 || { echo "prepare-prefix: wineboot failed in $base" >&2; exit 1; }
wineserver -w
# As on 64-bit Windows, a 32-bit program's system32\drivers (SysWOW64\drivers)
# exists, for the 32-bit installer and the 32-bit driver (prefixes with 32-bit Wine).
[ ! -d "$base/drive_c/windows/syswow64" ] || mkdir -p "$base/drive_c/windows/syswow64/drivers"
# The test runs' settings, in one file (one Wine start instead of one each).
"$WINE_LOADER" regedit /S "Z:$(printf '%s' "$here/test-prefix.reg" | tr / '\\')" >/dev/null 2>&1 ||
  { echo "prepare-prefix: cannot import test-prefix.reg in $base" >&2; exit 1; }
wineserver -w
touch "$base/.kit-prepared"
