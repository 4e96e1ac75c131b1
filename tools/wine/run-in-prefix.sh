#!/usr/bin/env bash
# run-in-prefix.sh BASE PROGRAM.exe [ARGS...]
# Runs a Windows program in a fresh prefix made from the prepared prefix BASE
# (prepare-prefix.sh), on an X server of its own, and throws both away
# afterwards. CTest runs every Windows test program through it.
#
# The prefix is an overlay over BASE, in a mount namespace of this run: what
# the run writes, in place or not, lands in the run's own folder and never in
# BASE (copy-on-write; nothing is copied before the run starts).
# KIT_KEEP_PREFIX=1 keeps the run's folder (changes/ holds what it wrote).
# KIT_USER_LOCALE=NAME (a glibc locale such as ru_RU.UTF-8) sets the run's
# Windows user locale, which Wine takes from LC_MESSAGES; the system locale
# stays the prefix's.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/env.sh"
base=$(realpath -m "$1")
shift

if [ -z "${KIT_RUN_DIR:-}" ]; then
  "$here/prepare-prefix.sh" "$base" || { echo "run-in-prefix: cannot prepare $base" >&2; exit 125; }
  mkdir -p "$(dirname "$base")/runs"
  KIT_RUN_DIR=$(mktemp -d "$(dirname "$base")/runs/XXXXXX")
  export KIT_RUN_DIR
  # The overlay needs a mount namespace (root's own, or a user namespace's)
  # whose mounts reach no other: a private one, or one made inside the
  # 32-bit root's, which is private already (and whose root is no mount
  # point, so it cannot be made private again).
  propagation=private
  [ -z "${KIT_IN_ROOT32:-}" ] || propagation=unchanged
  namespace=(unshare --mount --propagation $propagation)
  [ "$(id -u)" = 0 ] || namespace=(unshare --user --map-root-user --mount --propagation $propagation)
  status=0
  "${namespace[@]}" -- "$0" "$base" "$@" || status=$?
  [ "${KIT_KEEP_PREFIX:-0}" = 1 ] && echo "run-in-prefix: kept $KIT_RUN_DIR" >&2 || rm -rf "$KIT_RUN_DIR"
  exit $status
fi

# From here on inside the run's mount namespace.
run=$KIT_RUN_DIR
prefix=$run/prefix
mkdir -p "$run/changes" "$run/work" "$prefix"
mount -t overlay overlay -o "lowerdir=$base,upperdir=$run/changes,workdir=$run/work" "$prefix" ||
  { echo "run-in-prefix: cannot mount the prefix's overlay" >&2; exit 125; }
export WINEPREFIX=$prefix

# Cases read pixels off the screen and take the focus: every run has an X
# server to itself.
. "$here/../display.sh"
start_xvfb || { echo "run-in-prefix: no X server (Xvfb) could be started" >&2; exit 125; }
export DISPLAY=$kit_new_display

if [ -n "${KIT_USER_LOCALE:-}" ]; then
  # Compiled once per build tree, so the machine needs none installed (only
  # the locales package's sources).
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

# Every process of the prefix ends with the run, then its X server.
cleanup() {
  wineserver -k 2>/dev/null
  stop_displays
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# One server for everything the run starts in the prefix. Wine's own
# processes keep the standard streams they were started with until the
# server ends, so its streams are not CTest's.
wineserver -p </dev/null >/dev/null 2>&1
"$WINE_LOADER" "$@"
