#!/usr/bin/env bash
# run-batch.sh REPORT RUN... PROGRAM.exe [ARGS...]: runs the program's cases
# (ARGS has the filter) all in one process, in one prefix, with the machine
# guard on (KIT_ONE_PROCESS=1: a case that changes the machine fails;
# KIT_ONE_PROCESS=restore: what a case changed is put back), then
# splits GoogleTest's XML report into the folder REPORT for case-result.sh,
# which gives each case its result under its own name. Fails only when the
# program left no report (a crash, a hang cut by the timeout); the cases'
# own failures are their tests'.
set -u
here=$(cd "$(dirname "$0")" && pwd)
report=$(realpath -m "$1")
shift
rm -rf "$report"
mkdir -p "$report"
xml=$report/report.xml
winxml="Z:$(printf '%s' "$xml" | tr / '\\')"
KIT_ONE_PROCESS=${KIT_ONE_PROCESS:-1} "$@" "--gtest_output=xml:$winxml"
status=$?
if [ ! -s "$xml" ]; then
  echo "run-batch: the program ended (exit $status) without its report: no case has a result" >&2
  exit 1
fi
python3 "$here/split-report.py" "$xml" "$report" || exit 1
echo "run-batch: program exit $status; $(wc -l <"$report/index") case results in $report"
