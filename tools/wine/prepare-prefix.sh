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
# A prefix prepared by an older version of this script is made again.
[ "$base/.kit-prepared" -nt "$0" ] && exit 0

rm -rf "$base"
export WINEPREFIX=$base
"$WINE_LOADER" wineboot --init >/dev/null 2>&1 || { echo "prepare-prefix: wineboot failed in $base" >&2; exit 1; }
wineserver -w
# As on 64-bit Windows, a 32-bit program's system32\drivers (SysWOW64\drivers)
# exists, for the 32-bit installer and the 32-bit driver (WoW64 prefixes).
[ ! -d "$base/drive_c/windows/syswow64" ] || mkdir -p "$base/drive_c/windows/syswow64/drivers"
# A crashing program must fail its test, not wait behind winedbg's dialog.
"$WINE_LOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Windows the X server shows without a window manager (Xvfb has none): a
# window that Wine leaves to a manager waits two seconds for one each time
# it is hidden (a closed box, dialog or program). Wine then draws the frames
# and places the windows itself, as Windows does. Unmanaged windows take the
# X focus themselves, so every run has a display to itself (run-in-prefix.sh).
"$WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$base/.kit-prepared"
