#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (ASan + UBSan) and runs each for a
# bounded time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# SECONDS per target (default 60); TARGET names as in tests/fuzz/<name>_fuzz.cpp (default: all).
# Targets run QV_FUZZ_JOBS at a time (default 2).
# Build tree: $QV_BUILD_DIR/fuzz (QV_BUILD_DIR defaults to <repo>/build). Each target starts
# from its committed seeds (tests/fuzz/corpus/<name>, never written) plus the inputs that earlier
# runs found ($QV_BUILD_DIR/fuzz-corpus/<name>), so longer runs build on shorter ones. A failing
# input is saved in $QV_BUILD_DIR/fuzz-artifacts/<name>/; once the fault is fixed, commit it to
# the seed corpus so that the replay test keeps it fixed.
#
# Prints one line per target, "fuzz NAME: passed, E executions, corpus N inputs (B bytes)" or
# "fuzz NAME: FAILED ...", then "fuzz: N passed, N failed"; exits non-zero if any failed.
set -uo pipefail
source "$(dirname "$0")/preamble.sh"
seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))
[[ "$seconds" =~ ^[0-9]+$ ]] && [ "$seconds" -gt 0 ] || { echo "usage: $0 [SECONDS] [TARGET...]" >&2; exit 2; }

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" _fuzz.cpp)
    targets+=("$name")
  done
fi

dir=$build/fuzz
mkdir -p "$build"
echo "fuzz: building in $dir"
if ! qv_configure_build fuzz "$dir" qv_fuzzers; then
  echo "fuzz build: FAILED"
  echo "fuzz: 0 passed, 1 failed"
  exit 1
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
jobs=${QV_FUZZ_JOBS:-2}  # each libFuzzer process uses one core

# run_target NAME: one bounded run; its exit status goes to the end of its log.
run_target() {
  local name=$1 exe=$dir/bin/fuzz_$1 seeds=$root/tests/fuzz/corpus/$1
  local work=$build/fuzz-corpus/$1 artifacts=$build/fuzz-artifacts/$1 log=$build/fuzz-$1.log
  if [ ! -x "$exe" ] || [ ! -d "$seeds" ]; then
    echo "no executable $exe or no seed corpus $seeds" >"$log"
    echo "exit 1" >>"$log"
    return
  fi
  mkdir -p "$work" "$artifacts"
  local args=(-max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048
              -artifact_prefix="$artifacts/")
  local dict=$root/tests/fuzz/dict/$name.dict
  [ -f "$dict" ] && args+=(-dict="$dict")
  "$exe" "${args[@]}" "$work" "$seeds" >"$log" 2>&1
  echo "exit $?" >>"$log"
}

running=0
for name in "${targets[@]}"; do
  run_target "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

passed=0
failed=0
for name in "${targets[@]}"; do
  log=$build/fuzz-$name.log
  status=$(sed -nE 's/^exit ([0-9]+)$/\1/p' "$log" | tail -n 1)
  executions=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n 1)
  corpus=$(grep -oE 'corp: [0-9]+/[0-9]+[a-zA-Z]*' "$log" | tail -n 1 | sed -E 's#corp: ([0-9]+)/(.*)#\1 inputs (\2)#')
  if [ "${status:-1}" -eq 0 ] && [ -n "$executions" ]; then
    echo "fuzz $name: passed, $executions executions, corpus ${corpus:-unknown} in ${seconds}s"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FAILED (exit ${status:-?}, ${executions:-?} executions; log: $log)"
    grep -E 'ERROR|fuzz property failed|runtime error|Test unit written|no executable' "$log" | head -n 10
    failed=$((failed + 1))
  fi
done

echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
