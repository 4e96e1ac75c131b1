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

# Listing a program's cases changes nothing, and CTest lists every test
# program before it runs the first case: the listings share one prefix,
# whose server stays up a few seconds between them (a tenth of a second a
# listing instead of Wine's whole start). It is made again when the base is.
for arg; do
  [ "$arg" != --gtest_list_tests ] && continue
  listing="$(dirname "$base")/listing"
  if [ ! "$listing/.kit-copied" -nt "$base/.kit-prepared" ]; then
    fresh=$(mktemp -d "$runs/l.XXXXXX")
    copy_base "$fresh"
    touch "$fresh/.kit-copied"
    rm -rf "$listing.old"
    [ ! -d "$listing" ] || mv -T "$listing" "$listing.old" 2>/dev/null
    # Another listing may have made it meanwhile: one of the two stays.
    mv -T "$fresh" "$listing" 2>/dev/null || rm -rf "$fresh"
  fi
  export WINEPREFIX=$listing
  wineserver -p10 </dev/null >/dev/null 2>&1
  # Wine's own processes keep the standard error they were started with
  # until the server ends: through a file, CTest does not wait for them.
  errors=$(mktemp "$runs/e.XXXXXX")
  run "$@" 2>"$errors"
  status=$?
  cat "$errors" >&2
  rm -f "$errors"
  exit $status
done

# Every run has an X server to itself. Windows of two cases on one display
# could cover each other (cases read pixels off the screen) or take each
# other's focus. tools/run-tests.sh starts a pool of servers (KIT_DISPLAYS,
# with their locks in KIT_DISPLAY_LOCKS): the run holds one display's lock
# until it ends. Without a pool, or with every display held, the run starts
# a server of its own (about a quarter of a second). (Both before WINEPREFIX
# is set, so that the clean-up below ends the server gently and it removes
# its own lock.)
. "$here/../display.sh"
take_pool_display() {
  local display
  [ -n "${KIT_DISPLAYS:-}" ] && [ -d "${KIT_DISPLAY_LOCKS:-}" ] || return 1
  for display in $KIT_DISPLAYS; do
    exec 8>"$KIT_DISPLAY_LOCKS/${display#:}.lock"
    flock -n 8 && { export DISPLAY=$display; return 0; }
    exec 8>&-
  done
  return 1
}
start_own_display() {
  start_xvfb && export DISPLAY=$kit_new_display ||
    echo "run-in-prefix: no X server of its own; the run shares ${DISPLAY:-none}" >&2
}
take_pool_display || start_own_display

# KIT_USER_LOCALE=NAME (a glibc locale such as ru_RU.UTF-8): the run's
# Windows user locale, which Wine takes from LC_MESSAGES; the system locale
# stays the prefix's. The locale is compiled once per build tree, so the
# machine needs none installed (only the locales package's sources).
if [ -n "${KIT_USER_LOCALE:-}" ]; then
  locales="$(dirname "$base")/locales"
  mkdir -p "$locales"
  (
    flock 9
    [ -d "$locales/$KIT_USER_LOCALE" ] ||
      localedef -i "${KIT_USER_LOCALE%%.*}" -f "${KIT_USER_LOCALE#*.}" "$locales/$KIT_USER_LOCALE" ||
      echo "run-in-prefix: cannot compile the locale $KIT_USER_LOCALE (package locales)" >&2
  ) 9>"$locales.lock"
  export LOCPATH=$locales
  # (bash itself cannot use it and would say so)
  { export LC_MESSAGES=$KIT_USER_LOCALE; } 2>/dev/null
fi

prefix=$(mktemp -d "$runs/p.XXXXXX")
copy_base "$prefix"
export WINEPREFIX=$prefix

# Every process of the prefix (they all carry its WINEPREFIX), the server
# included, is killed at once: `wineserver -k` polls in steps of its own and
# cost most of a second a case. The prefix is thrown away, so nothing needs
# to be saved first; the server's socket folder goes with it.
cleanup() {
  local pids=() file server_dir=
  for file in $(grep -lzxF "WINEPREFIX=$prefix" /proc/[0-9]*/environ 2>/dev/null); do
    file=${file#/proc/}
    pids+=("${file%/environ}")
  done
  for pid in "${pids[@]}"; do
    case $(readlink "/proc/$pid/exe" 2>/dev/null) in
      */wineserver*) server_dir=$(readlink "/proc/$pid/cwd" 2>/dev/null) ;;
    esac
  done
  [ ${#pids[@]} -eq 0 ] || kill -KILL "${pids[@]}" 2>/dev/null
  case $server_dir in */server-*) rm -rf "$server_dir" ;; esac
  stop_displays
  exec 8>&-  # the pool's display is free again
  [ "${KIT_KEEP_PREFIX:-0}" = 1 ] || rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# One persistent server for everything this run starts in the prefix.
wineserver -p

run "$@"
exit $?
