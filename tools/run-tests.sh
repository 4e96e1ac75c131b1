#!/usr/bin/env bash
# run-tests.sh: the whole test run, from a fresh machine to ctest's summary.
# Installs missing packages (as root), builds both kits, then runs every test
# under 64-bit Wine, with an Xvfb display when there is none.
set -eu
cd "$(dirname "$0")/.."
tools/setup-machine.sh
tools/build-kits.sh

started_xvfb=
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  started_xvfb=$!
  export DISPLAY=$display
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi
trap '[ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null || true' EXIT

# Prepare the Wine prefix once, before the tests copy it.
tools/wine/prepare-prefix.sh build/x64/wine/base

ctest --preset x64 -j "${KIT_TEST_JOBS:-3}" </dev/null
