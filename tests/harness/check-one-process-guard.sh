#!/usr/bin/env bash
# check-one-process-guard.sh REPORT RUN... harness_tests.exe: runs the
# PrefixIsolation cases, which leave a registry key, a value in a key deep in
# the system's own settings and a file in the system folder, then change a
# file of the system in place, in one process as tools/wine/run-batch.sh
# runs a program's cases, once in each mode of the guard. Passes only when
# - KIT_ONE_PROCESS=1: the guard failed the first case for what it left (and
#   the second, which then sees it, failed too);
# - KIT_ONE_PROCESS=restore: the guard put back what the first two left (so
#   each passed, seeing nothing of the other), failed the third, whose change
#   it cannot put back, and the fourth, which ran after it.
set -u
here=$(cd "$(dirname "$0")" && pwd)
report=$1
shift
status=0
expect() {  # case result [text...], in the run of the mode $report
  local name=$1 result=$2 line number
  shift 2
  line=$(awk -F '\t' -v name="PrefixIsolation.$name" '$1 == name' "$report/index")
  number=${line##*$'\t'}
  if [ "$(printf '%s' "$line" | cut -f2)" != "$result" ]; then
    echo "check-one-process-guard: PrefixIsolation.$name: expected $result, got: ${line:-no result}"
    status=1
    return
  fi
  for text; do
    grep -qF "$text" "$report/case.$number.txt" ||
      { echo "check-one-process-guard: PrefixIsolation.$name: no \"$text\" in its failure"; status=1; }
  done
}
run() {  # mode RUN... harness_tests.exe
  local mode=$1
  shift
  report=$reports/$mode
  KIT_ONE_PROCESS=$mode "$here/../../tools/wine/run-batch.sh" "$report" "$@" --gtest_filter='PrefixIsolation.*'
}
reports=$report
run 1 "$@" || exit 1
expect FirstCaseSeesNothingOfTheSecond failed "this case changed the machine" KitHarness kit-harness.marker \
  'changed key HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion'
expect SecondCaseSeesNothingOfTheFirst failed "left by another test case is visible"
run restore "$@" || exit 1
expect FirstCaseSeesNothingOfTheSecond passed
expect SecondCaseSeesNothingOfTheFirst passed
expect ThirdCaseChangesAFileInPlace failed "could not be put back" "changed file" win.ini
expect FourthCaseChangesNothing failed "could not be put back as it was after PrefixIsolation.ThirdCaseChangesAFileInPlace"
[ $status = 0 ] && echo "check-one-process-guard: the guard failed the case that changed the machine;" \
  "restoring, it put back what it could, and failed the case it could not and the one after it"
exit $status
