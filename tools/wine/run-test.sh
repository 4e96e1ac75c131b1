#!/usr/bin/env bash
# run-test.sh RUN... PROGRAM.exe [ARGS...]: CTest's emulator for the test
# programs; RUN is how a program runs (run-in-prefix.sh BASE, inside the
# WoW64 root for the 32-bit kit). A case of a program whose cases run in one
# process (its test sets KIT_CASE_REPORT, see run-batch.sh) is not run again:
# its result is read from that run's report (case-result.sh). Everything else,
# the listing of the cases included, runs as asked.
set -u
here=$(cd "$(dirname "$0")" && pwd)
if [ -n "${KIT_CASE_REPORT:-}" ]; then
  name=
  for arg; do
    case $arg in
      --gtest_list_tests) name=; break ;;
      --gtest_filter=*) name=${arg#--gtest_filter=} ;;
    esac
  done
  [ -z "$name" ] || exec "$here/case-result.sh" "$KIT_CASE_REPORT" "$name" "$@"
fi
exec "$@"
