#!/usr/bin/env bash
# run-in-prefix.sh BASE PROGRAM.exe [ARGS...]
# Runs a Windows program in a fresh copy of the prepared prefix BASE and removes
# the copy afterwards. CTest uses it as the emulator of every test program.
# KIT_KEEP_PREFIX=1 keeps the copy for a look afterwards.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
base=$(realpath -m "$1")
shift
"$here/prepare-prefix.sh" "$base" || { echo "run-in-prefix: cannot prepare $base" >&2; exit 125; }

runs="$(dirname "$base")/runs"
mkdir -p "$runs"
# The big, read-only system directories are hard-linked; the rest (registry
# hives, users, ini files) is copied, so a test cannot change the base. One
# tar and one cp, not one cp a directory: each process start counts when
# every case pays it.
copy_base() {  # prefix
  local shared=() dir
  for dir in system32 syswow64 winsxs Fonts; do
    [ ! -d "$base/drive_c/windows/$dir" ] || shared+=("$base/drive_c/windows/$dir")
  done
  tar -C "$base" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
      --exclude=./drive_c/windows/winsxs --exclude=./drive_c/windows/Fonts -cf - . | tar -C "$1" -xf -
  cp -al "${shared[@]}" "$1/drive_c/windows/"
}

run() {  # PROGRAM.exe [ARGS...]
  if [ -z "${DISPLAY:-}" ]; then
    xvfb-run -a -s "-screen 0 1024x768x24" "$WINE_LOADER" "$@"
  else
    "$WINE_LOADER" "$@"
  fi
}

prefix=$(mktemp -d "$runs/p.XXXXXX")
copy_base "$prefix"
export WINEPREFIX=$prefix

cleanup() {
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1
  [ "${KIT_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# One persistent server for everything this run starts in the prefix.
wineserver -p

run "$@"
exit $?
