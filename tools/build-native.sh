#!/usr/bin/env bash
# build-native.sh: builds the kit's pure rules for the host (tests/native):
# Clang, AddressSanitizer and UndefinedBehaviorSanitizer, their unit tests
# and the libFuzzer targets, in build/native.
set -eu
cd "$(dirname "$0")/.."
[ -f build/native/build.ninja ] || cmake -S tests/native -B build/native -G Ninja
cmake --build build/native
