#!/usr/bin/env bash
# fuzz-rules.sh SECONDS [TARGET...]: builds the native rules (tests/native)
# and runs each libFuzzer target for SECONDS (every target of KIT_FUZZ_TARGETS
# in tests/native/CMakeLists.txt when none is named),
# starting from the seeds in tests/native/corpus/<target>. New inputs go to
# build/native/corpus/<target>, crashes to build/native/crashes/<target>/.
# A long run:  tools/fuzz-rules.sh 600
set -eu
cd "$(dirname "$0")/.."
seconds="${1:?usage: fuzz-rules.sh SECONDS [TARGET...]}"
shift
build=build/native
tools/build-native.sh >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || read -r -a targets <<<"$(sed -n '/^set(KIT_FUZZ_TARGETS/,/)/p' \
  tests/native/CMakeLists.txt | tr '\n' ' ' | sed 's/set(KIT_FUZZ_TARGETS//; s/).*//')"
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in tests/native/CMakeLists.txt" >&2; exit 1; }
status=0
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target" "$build/crashes/$target"
  log="$build/crashes/$target/last-run.log"
  if "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
       -artifact_prefix="$build/crashes/$target/" "$build/corpus/$target" "tests/native/corpus/$target" \
       >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-?} executions in ${seconds}s, no failure"
  else
    echo "$target: FAILED (see $log)"
    grep -E "property failed|ERROR: |SUMMARY" "$log" | head -5
    status=1
  fi
done
exit $status
