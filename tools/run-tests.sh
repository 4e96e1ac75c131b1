#!/usr/bin/env bash
# run-tests.sh: the whole test run, from a fresh machine to ctest's summary.
# Installs missing packages (as root), builds both kits, then runs every test
# under 64-bit Wine, with an Xvfb display when there is none.
set -eu
cd "$(dirname "$0")/.."
tools/setup-machine.sh
tools/build-kits.sh
. tools/display.sh
ensure_display

# Prepare the Wine prefix once, before the tests copy it.
tools/wine/prepare-prefix.sh build/x64/wine/base

ctest --preset x64 -j "${KIT_TEST_JOBS:-3}" </dev/null
