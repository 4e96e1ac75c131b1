#!/usr/bin/env bash
# expect-refused.sh SYSTEM_DIR OBJDUMP PROGRAM FUNCTION
# The import check refuses PROGRAM with exactly one line, naming FUNCTION.
set -u
system=$(basename "$1")
out=$(bash "$(dirname "$0")/check-imports.sh" "$1" "$2" "$3")
status=$?
want="FAIL [$system]: $(basename "$3") imports kernel32.dll!$4, which $system does not export"
[ $status -eq 1 ] || { echo "the check exited with $status, expected 1: $out"; exit 1; }
[ "$out" = "$want" ] || { printf 'the check said:\n%s\nexpected:\n%s\n' "$out" "$want"; exit 1; }
echo "refused as expected: $out"
