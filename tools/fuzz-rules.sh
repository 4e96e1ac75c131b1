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
# One target per core at a time; each writes its result line, printed in order.
run_target() {  # target
  local target=$1 log="$build/crashes/$1/last-run.log" runs
  mkdir -p "$build/corpus/$target" "$build/crashes/$target"
  if "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
       -artifact_prefix="$build/crashes/$target/" "$build/corpus/$target" "tests/native/corpus/$target" \
       >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: ${runs:-?} executions in ${seconds}s, no failure" >"$build/crashes/$target/result"
  else
    { echo "$target: FAILED (see $log)"; grep -E "property failed|ERROR: |SUMMARY" "$log" | head -5; } \
      >"$build/crashes/$target/result"
    return 1
  fi
}
status=0
cores=$(nproc)
for ((i = 0; i < ${#targets[@]}; i += cores)); do
  pids=()
  for target in "${targets[@]:i:cores}"; do
    run_target "$target" & pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
  for target in "${targets[@]:i:cores}"; do cat "$build/crashes/$target/result"; done
done
exit $status
