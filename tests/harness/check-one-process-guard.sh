#!/usr/bin/env bash
# check-one-process-guard.sh REPORT RUN... harness_tests.exe: runs the
# PrefixIsolation cases, which leave a registry key and a file in the system
# folder, in one process as tools/wine/run-batch.sh runs a program's cases,
# and passes only when the guard failed the first case for what it left
# (and the second, which then sees it, failed too).
set -u
here=$(cd "$(dirname "$0")" && pwd)
report=$1
shift
"$here/../../tools/wine/run-batch.sh" "$report" "$@" --gtest_filter='PrefixIsolation.*' || exit 1
status=0
expect() {  # case result [text...]
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
expect FirstCaseSeesNothingOfTheSecond failed "this case changed the machine" KitHarness kit-harness.marker
expect SecondCaseSeesNothingOfTheFirst failed "left by another test case is visible"
[ $status = 0 ] && echo "check-one-process-guard: the guard failed the case that changed the machine"
exit $status
