#!/usr/bin/env bash
# run-tests.sh: the whole test run, from a fresh machine to the count of cases.
# Installs missing packages (as root), builds both kits and their zips, then
# runs every test of the 64-bit kit under this machine's 64-bit Wine and every
# test of the 32-bit kit under 32-bit Wine in a Debian 13 root (tools/root32),
# each Wine run on an X server of its own (Xvfb). See docs/testing.md.
set -eu
cd "$(dirname "$0")/.."
# Each part's time, said at the end with the summary.
parts=()
note_part() { parts+=("$(printf '%-38s %4d s' "$1" "$2")"); }  # name seconds
timed() {  # name command...: runs the command and notes how long it took
  local name=$1 start=$SECONDS status=0
  shift
  "$@" || status=$?
  note_part "$name" $((SECONDS - start))
  return $status
}
timed "packages" tools/setup-machine.sh
# The Wine prefixes that the tests start from boot while the kits build: they
# need nothing from the builds, and a boot mostly waits on Wine's own
# timeouts. The 32-bit one boots in the 32-bit root (tools/root32), made once
# and kept outside the clone; where this processor cannot run 32-bit code,
# the root's QEMU runs the 32-bit processes (emulation.sh).
tools/wine/prepare-prefix.sh build/x64/wine/base & prefix64=$!
(tools/root32/make-root.sh >/dev/null && tools/root32/emulation.sh on &&
 tools/root32/in-root.sh tools/wine/prepare-prefix.sh build/x86/wine/base) & prefix32=$!
# The pure rules natively, under the sanitizers, and each fuzz target briefly.
timed "native rules and fuzz targets" tools/run-native-tests.sh
tools/check-includes.py
timed "both kits built" tools/build-kits.sh
# The zips to hand out: the tests unpack them and build from them alone.
for preset in x64 x86; do
  timed "$preset zip" cmake --build --preset "$preset" --target package
done
timed "x64 Wine prefix, waited for" wait $prefix64
result32=
timed "32-bit root and x86 prefix, waited for" wait $prefix32 ||
  result32="FAILED (no 32-bit root or prefix: see the lines above)"
if [ -z "$result32" ] && ! tools/root32/runs-32bit.sh build/x86/wine/base; then
  result32="FAILED (no 32-bit program runs in the root)"
fi
mode32=$(tools/root32/emulation.sh mode)

# Both suites at once: the 64-bit one mostly waits on Wine (starts, windows,
# services), the emulated 32-bit one mostly computes, so together they fill
# the two cores (KIT_TEST_JOBS each; the 32-bit suite's lines go to
# build/x86/ctest.log and are shown after the 64-bit suite's). Every test
# program runs once: a failure is a fault to find, never a race to retry.
jobs="${KIT_TEST_JOBS:-3}"
suite() {  # preset
  local start=$SECONDS status=0
  rm -f "build/$1/junit.xml"
  ctest --preset "$1" -j "$jobs" --no-tests=error --output-junit junit.xml </dev/null || status=1
  note_part "$1 tests" $((SECONDS - start))
  return $status
}

set +e
result64=passed
if [ -z "$result32" ]; then
  suite x86 >build/x86/ctest.log 2>&1 & suite32=$!
fi
suite x64 || result64=FAILED
if [ -z "$result32" ]; then
  wait $suite32 && result32="passed ($mode32)" || result32="FAILED ($mode32)"
  note_part "x86 tests" "$(sed -n 's/^Total Test time (real) = *\([0-9]*\).*/\1/p' build/x86/ctest.log)"
  echo
  echo "The 32-bit suite (build/x86/ctest.log):"
  cat build/x86/ctest.log
fi
set -e

echo
summaries=()
for tree in build/x64 build/x86; do
  [ -f "$tree/junit.xml" ] && summaries+=("$tree/junit.xml" "$tree/test-reports")
done
tools/test-reports.py summary "${summaries[@]}" | sed '/^all:/d'
echo "64-bit kit: $result64"
echo "32-bit kit: $result32"
note_part "whole command" $SECONDS
echo "Time of each part:"
printf '  %s\n' "${parts[@]}"
# The closing line, the cases of both trees.
tools/test-reports.py summary "${summaries[@]}" | grep '^all:'
[ "$result64" = passed ] && [ "$result32" = "passed ($mode32)" ]
