#!/usr/bin/env bash
# build-kits.sh: configures and builds both kits (build/x64/kit and build/x86/kit).
set -eu
cd "$(dirname "$0")/.."
for preset in x64 x86; do
  cmake --preset "$preset" -DKIT_BUILD_TESTS=ON >/dev/null
  cmake --build --preset "$preset"
done
