#!/usr/bin/env bash
# run-gtest.sh [--alone] REPORTS FILTER RUN... PROGRAM.exe [ARGS...]
# Runs the cases of a GoogleTest program that match FILTER (a GoogleTest
# filter: "*", "-Suite.*", "Suite.*:Other.Case") under Wine, RUN... being
# how this tree runs a Windows program (run-in-prefix.sh BASE, inside the
# 32-bit root for the 32-bit kit). GoogleTest's XML reports go into the
# folder REPORTS, from which the test command counts the cases.
#   By default all of them run in one process, in one prefix, with the
#   machine guard (tests/harness/guard): what a case changes on the machine
#   is put back after it, and a case whose change cannot be put back fails.
#   --alone: each case in a prefix of its own, one after the other.
# KIT_GTEST_FILTER=Suite.Case (or a pattern): only the cases of FILTER that
# also match it.
set -u
alone=no
[ "${1:-}" = --alone ] && { alone=yes; shift; }
reports=$1 filter=$2
shift 2
rm -rf "$reports"
mkdir -p "$reports"
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

if [ $alone = no ]; then
  # FILTER here is "*" or "-cases run alone": narrowed by KIT_GTEST_FILTER.
  negative=${filter#-}
  [ "$filter" = "*" ] && negative=
  run_filter=${KIT_GTEST_FILTER:-*}${negative:+-$negative}
  KIT_MACHINE_GUARD=1 "$@" "--gtest_filter=$run_filter" "--gtest_output=xml:$(winpath "$reports/report.xml")"
  status=$?
  [ -s "$reports/report.xml" ] ||
    { echo "run-gtest: the program ended (exit $status) before its report was written" >&2; exit 1; }
  exit $status
fi

wanted() {  # name: whether KIT_GTEST_FILTER (patterns split by ":") takes it
  local pattern patterns
  [ -n "${KIT_GTEST_FILTER:-}" ] || return 0
  IFS=: read -ra patterns <<<"$KIT_GTEST_FILTER"
  for pattern in "${patterns[@]}"; do
    # shellcheck disable=SC2053 # a pattern, as GoogleTest's
    [[ $1 == $pattern ]] && return 0
  done
  return 1
}

# The cases, listed in a prefix of their own, then each run in another.
listing=$("$@" "--gtest_filter=$filter" --gtest_list_tests | tr -d '\r')
cases=()
while IFS= read -r line; do
  case $line in
    "  "*) name=$suite${line#  }; name=${name%%  #*}
           if wanted "$name"; then cases+=("$name"); fi ;;
    [A-Za-z_]*.) suite=$line ;;
    [A-Za-z_]*.*"  #"*) suite=${line%%  #*} ;;
  esac
done <<<"$listing"
if [ ${#cases[@]} -eq 0 ]; then
  # Narrowed to nothing by KIT_GTEST_FILTER is no failure; no case at all is.
  [ -n "${KIT_GTEST_FILTER:-}" ] && { echo "run-gtest: no case here matches KIT_GTEST_FILTER"; exit 0; }
  echo "run-gtest: the program listed no case of $filter" >&2
  exit 1
fi
status=0 number=0
for name in "${cases[@]}"; do
  number=$((number + 1))
  "$@" "--gtest_filter=$name" "--gtest_output=xml:$(winpath "$reports/$number.xml")" || status=1
  [ -s "$reports/$number.xml" ] ||
    { echo "run-gtest: $name ended before its report was written" >&2; status=1; }
done
exit $status
