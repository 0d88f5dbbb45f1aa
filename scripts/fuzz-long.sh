#!/usr/bin/env bash
# The long fuzz run: builds the fuzz targets in build-fuzz/ and runs each one in turn for
# the given number of seconds (default 600), optionally capped at a number of executions,
# then prints how many inputs each one executed.
#   scripts/fuzz-long.sh [seconds-per-target] [max-executions-per-target] [target...]
# New inputs go to build-fuzz/fuzz-long/<target>/corpus (a copy of the checked-in seeds);
# an input that breaks a property is saved in build-fuzz/fuzz-long/<target>/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
runs=${2:--1}
shift $(( $# < 2 ? $# : 2 ))
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(fuzz_text_to_single fuzz_read_number fuzz_solve fuzz_text_block)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSORVANI_FUZZ=ON >/dev/null
cmake --build build-fuzz -j 2 --target "${targets[@]}"

status=0
summary=()
for t in "${targets[@]}"; do
  work=build-fuzz/fuzz-long/$t
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -n fuzz/corpus/"$t"/* "$work/corpus/" 2>/dev/null || true
  log=$work/log.txt
  echo "== $t: $seconds s, at most $runs executions (log: $log)"
  start=$(date +%s)
  if build-fuzz/fuzz/"$t" -max_total_time="$seconds" -runs="$runs" -timeout=10 \
       -rss_limit_mb=2048 -max_len=1024 -print_final_stats=1 \
       -artifact_prefix="$work/artifacts/" "$work/corpus" >"$log" 2>&1; then
    result=ok
  else
    result="FAILED (see $log and $work/artifacts)"
    status=1
  fi
  elapsed=$(( $(date +%s) - start ))
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$(printf '%-20s %12s executions %6s s  %s' "$t" "${executions:-?}" "$elapsed" "$result")")
done
printf '%s\n' "${summary[@]}"
exit $status
