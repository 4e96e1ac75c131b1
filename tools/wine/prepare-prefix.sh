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
[ -f "$base/.kit-prepared" ] && exit 0

rm -rf "$base"
export WINEPREFIX=$base
"$WINE_LOADER" wineboot --init >/dev/null 2>&1 || { echo "prepare-prefix: wineboot failed in $base" >&2; exit 1; }
wineserver -w
# A crashing program must fail its test, not wait behind winedbg's dialog.
"$WINE_LOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$base/.kit-prepared"
