#!/usr/bin/env bash
# check-guard.sh REPORTS RUN... harness_tests.exe: runs the PrefixIsolation
# cases in one process, as every test program's cases run
# (tools/wine/run-gtest.sh), and passes only when the run failed, the guard
# having put back what the first two cases left (so each passed, seeing
# nothing of the other) and failed the third, whose changes it cannot put
# back, and the fourth, which ran after it. A run that passed here would let
# a case that changes the machine pass too.
set -u
here=$(cd "$(dirname "$0")" && pwd)
reports=$1
shift
status=0
if KIT_GTEST_FILTER='PrefixIsolation.*' "$here/../../tools/wine/run-gtest.sh" "$reports" "*" "$@" >"$reports.log" 2>&1; then
  echo "check-guard: the run passed, with a case that changed the machine (see $reports.log)"
  status=1
fi
results=$(python3 "$here/../../tools/test-reports.py" cases "$reports")
expect() {  # case result [text in its failure]
  local line
  line=$(printf '%s\n' "$results" | awk -F '\t' -v name="PrefixIsolation.$1" '$1 == name')
  if [ "$(printf '%s' "$line" | cut -f2)" != "$2" ]; then
    echo "check-guard: PrefixIsolation.$1: expected $2, got: ${line:-no result}"
    status=1
  elif [ -n "${3:-}" ] && ! printf '%s' "$line" | grep -qF "$3"; then
    echo "check-guard: PrefixIsolation.$1: no \"$3\" in its failure: $line"
    status=1
  fi
}
expect FirstCaseSeesNothingOfTheSecond passed
expect SecondCaseSeesNothingOfTheFirst passed
expect ThirdCaseChangesFilesInPlace failed "could not be put back"
expect FourthCaseChangesNothing failed "could not be put back as it was after PrefixIsolation.ThirdCaseChangesFilesInPlace"
[ $status = 0 ] && echo "check-guard: the guard put back what it could, failed the case it could not and the one after it, and the run failed"
exit $status
