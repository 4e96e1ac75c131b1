#!/usr/bin/env bash
# run-native-tests.sh: the pure rules on the host, under the sanitizers: their
# unit tests (milliseconds, no Wine), then each fuzz target for a few
# seconds (KIT_FUZZ_SECONDS, 5 by default).
set -eu
cd "$(dirname "$0")/.."
tools/build-native.sh
# The cases touch nothing outside their process: one per core at a time.
ctest --test-dir build/native --output-on-failure -j "$(nproc)" </dev/null
tools/fuzz-rules.sh "${KIT_FUZZ_SECONDS:-5}"
