#!/usr/bin/env bash
# case-result.sh REPORT NAME RUN...: the result of case NAME in the one-process
# run whose report run-batch.sh split into the folder REPORT. A failed case
# asked for again (CTest's second try of a window case) runs alone, with
# RUN..., in a prefix of its own: a second try is a real one, and it shows.
set -u
report=$1 name=$2
shift 2
line=$(awk -F '\t' -v name="$name" '$1 == name { print; exit }' "$report/index" 2>/dev/null)
if [ -z "$line" ]; then
  echo "case-result: no result for $name in the one-process run ($report): the program ended before it" >&2
  echo "(its test *.one-process shows the run)" >&2
  exit 1
fi
IFS=$'\t' read -r _ result number <<<"$line"
case $result in
  passed)
    echo "[       OK ] $name (in the one-process run)"
    exit 0 ;;
  skipped)
    cat "$report/case.$number.txt"
    echo "[  SKIPPED ] $name (in the one-process run)"
    exit 0 ;;
esac
mkdir -p "$report/tried"
if [ -e "$report/tried/$number" ]; then
  echo "case-result: $name failed in the one-process run; this try runs it alone, in a prefix of its own"
  unset KIT_CASE_REPORT
  exec "$@"
fi
touch "$report/tried/$number"
cat "$report/case.$number.txt"
echo "[  FAILED  ] $name (in the one-process run)"
exit 1
