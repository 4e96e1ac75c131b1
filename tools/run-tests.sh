#!/usr/bin/env bash
# run-tests.sh: the whole test run, from a fresh machine to ctest's summary.
# Installs missing packages (as root), builds both kits and their zips, then
# runs every test of the 64-bit kit under 64-bit Wine and every test of the
# 32-bit kit in Wine 10's WoW64 mode (tools/wow64), with an Xvfb display when
# there is none.
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
. tools/display.sh
ensure_display
# The Wine prefixes that the tests copy boot while the kits build: they need
# nothing from the builds, and a boot mostly waits on Wine's own timeouts (a
# quarter of the processor). The WoW64 root is made once (as root) first, and
# the 32-bit prefix boots in it; where the root cannot be made, make-root.sh
# says why (3 below) and the 64-bit suite runs alone.
tools/wine/prepare-prefix.sh build/x64/wine/base & prefix64=$!
(tools/wow64/make-root.sh >/dev/null || exit 3
 tools/wow64/in-root.sh tools/wine/prepare-prefix.sh build/x86/wine/base) & prefix32=$!
# The pure rules natively, under the sanitizers, and each fuzz target briefly.
timed "native rules and fuzz targets" tools/run-native-tests.sh
tools/check-includes.py
timed "both kits built" tools/build-kits.sh
# The zips to hand out: the tests unpack them and build from them alone.
for preset in x64 x86; do
  timed "$preset zip" cmake --build --preset "$preset" --target package
done
timed "x64 Wine prefix, waited for" wait $prefix64
kit32=yes status32=0
timed "WoW64 root and x86 prefix, waited for" wait $prefix32 || status32=$?
case $status32 in
  0) ;;
  3) kit32=no ;;
  *) echo "run-tests: the 32-bit Wine prefix could not be prepared" >&2; exit 1 ;;
esac
# Some virtual machines offer no 32-bit code segment: there no 32-bit program
# runs, WoW64 or not, and the 32-bit suite could only fail. The 64-bit suite
# then runs alone (the 32-bit kit's binaries are still checked), and the
# summary says why.
why32="no WoW64 root"
if [ $kit32 = yes ] && ! tools/wow64/runs-32bit.sh build/x86/wine/base; then
  kit32=no why32="this machine runs no 32-bit code"
fi

# The end-to-end tests drive real windows under Wine on a shared machine: a
# case that loses a race with the window manager gets one more try (ctest
# shows every try). KIT_TEST_TRIES=1 turns that off. Cases labelled
# "windowless" open no window: they get one try only, so a failure there is
# never hidden. The summary at the end names every case that passed only on
# its second try: each one is a possible intermittent fault to look at.
# Four cases at a time on two cores: much of a case is waiting on Wine
# (starts, windows, services), so a fourth fills the gaps (KIT_TEST_JOBS).
jobs="${KIT_TEST_JOBS:-4}"
# Each run has a display of its own, from a pool of one per job.
start_display_pool "$jobs" "$PWD/build/displays"
suite() {  # preset: its windows cases, then its windowless ones
  local log_dir=build/$1/Testing status=0 start=$SECONDS
  mkdir -p "$log_dir"
  ctest --preset "$1" -j "$jobs" --no-tests=error -LE windowless --repeat "until-pass:${KIT_TEST_TRIES:-2}" </dev/null \
    | tee "$log_dir/run-tests-windows.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  note_part "$1 cases with windows" $((SECONDS - start))
  start=$SECONDS
  ctest --preset "$1" -j "$jobs" --no-tests=error -L windowless </dev/null | tee "$log_dir/run-tests-windowless.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
  note_part "$1 windowless cases" $((SECONDS - start))
  return $status
}

# A case whose result line says it failed and later says it passed.
retried_in() {  # log
  awk 'match($0, /Test +#[0-9]+: +[^ ]+/) {
      n = split(substr($0, RSTART, RLENGTH), words, " ")
      name = words[n]
      if ($0 ~ / Passed /) { if (failed[name]) print name }
      else failed[name] = 1
    }' "$1" | sort -u
}

# The test cases' last results, added up: a case's result counts once
# (a second try replaces the first), and a program's one-process run
# (*.one-process) is no case: its cases are counted by name.
count_in() {  # log...
  awk 'match($0, /Test +#[0-9]+: +[^ ]+/) {
      n = split(substr($0, RSTART, RLENGTH), words, " ")
      name = words[n]
      if (name ~ /\.one-process$/ || $0 ~ /Disabled/) next
      result[name] = ($0 ~ / Passed / || $0 ~ /Skipped/)
    }
    END {
      for (name in result) if (result[name]) passed++; else failed++
      printf "%d %d\n", passed, failed
    }' "$@"
}

# How many cases had their result from their program's one-process run.
one_process_in() {  # build dir...
  find "$@" -path '*/one-process/*/index' -exec cat {} + 2>/dev/null | wc -l
}

set +e
result64=passed result32="not run ($why32)"
suite x64 || result64=FAILED
logs=(build/x64/Testing/run-tests-windows.log build/x64/Testing/run-tests-windowless.log)
trees=(build/x64)
if [ $kit32 = yes ]; then
  suite x86 && result32=passed || result32=FAILED
  logs+=(build/x86/Testing/run-tests-windows.log build/x86/Testing/run-tests-windowless.log)
  trees+=(build/x86)
fi
set -e

echo
retried=$(for log in "${logs[@]}"; do case $log in *-windows.log) retried_in "$log" ;; esac; done)
if [ -n "$retried" ]; then
  echo "Passed only on a second try (possible intermittent faults):"
  echo "$retried" | sed 's/^/  /'
else
  echo "No case needed a second try."
fi
echo "64-bit kit: $result64"
echo "32-bit kit: $result32"
read -r passed failed < <(count_in "${logs[@]}")
echo "test cases: $((passed + failed)), of them $(one_process_in "${trees[@]}") in one process per program"
echo "all: $passed passed, $failed failed"
note_part "whole command" $SECONDS
echo "Time of each part:"
printf '  %s\n' "${parts[@]}"
[ $result64 = passed ] && { [ $kit32 = no ] || [ "$result32" = passed ]; }
