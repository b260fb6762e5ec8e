#!/usr/bin/env bash
# Runs every test: host (plain and under ASan/UBSan), a bounded fuzz run, static analysis and
# Windows (under Wine).
# Installs what it needs first. Ends with a line "N passed, N failed".
set -uo pipefail
source "$(dirname "$0")/preamble.sh"
source "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh" || exit 1

passed=0
failed=0
problems=()

# ctest_counts LOG: adds the counts of a ctest summary to the totals.
ctest_counts() {
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    problems+=("no ctest summary in $1")
    failed=$((failed + 1))
    return
  fi
  fails=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - fails))
  failed=$((failed + fails))
}

# stage NAME DIR CTEST_JOBS [TARGET...]: configure and build one configuration from its preset
# NAME (the folder from QV_BUILD_DIR), then test it with CTEST_JOBS (0: no test here).
stage() {
  local name=$1 dir=$2 jobs=$3
  shift 3
  echo "== $name: configure and build"
  if ! qv_configure_build "$name" "$dir" "$@"; then
    problems+=("$name: configure or build failed"); failed=$((failed + 1)); return 1
  fi
  [ "$jobs" -gt 0 ] || return 0
  echo "== $name: test"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300 "${ctest_extra[@]}" 2>&1 | tee "$dir.ctest.log" | grep -E '^\s*[0-9]+/[0-9]+ Test.*(Failed|Timeout|Not Run)|tests passed|Errors while'
  ctest_counts "$dir.ctest.log"
  echo "== $name: done after ${SECONDS}s in all"
}

# wine_suites DIR WORKERS: the Windows tests of DIR, suite by suite from one queue, on WORKERS
# workers; each worker has its own fresh prefix and server, so tests of different workers
# share nothing but the build tree, and the tests of one suite (which may share a folder
# there) run one after another in one worker. Suites that took longest last time go first.
wine_suites() {
  local dir=$1 workers=$2 logs=$build/wine-logs n suite log
  rm -rf "$logs" && mkdir -p "$logs"
  for n in $(seq "$workers"); do
    qv_wine_fresh "$build/wine-template" "$build/wine-run-$n" && qv_wine_start "$build/wine-run-$n" ||
      { problems+=("windows: no Wine prefix"); failed=$((failed + 1)); return; }
  done
  # Test discovery runs the test program once, in the first prefix.
  WINEPREFIX=$build/wine-run-1 ctest --test-dir "$dir" -N >"$logs/list" 2>&1
  sed -nE 's/^ *Test +#[0-9]+: ([^ .]+)\..*/\1/p' "$logs/list" | awk '!seen[$0]++' >"$logs/suites"
  local costs=$dir/Testing/Temporary/CTestCostData.txt
  if [ -f "$costs" ]; then
    awk 'NR == FNR { order[$0] = FNR; next } NF == 3 { s = $1; sub(/\..*/, "", s); if (s in order) cost[s] += $3 }
         END { for (s in order) printf "%f %d %s\n", cost[s], order[s], s }' "$logs/suites" "$costs" |
      sort -k1,1gr -k2,2n | cut -d' ' -f3- >"$logs/queue"
  else
    cp "$logs/suites" "$logs/queue"
  fi
  echo "== windows: $(wc -l <"$logs/suites") suites on $workers workers"
  for n in $(seq "$workers"); do
    (
      export WINEPREFIX=$build/wine-run-$n
      while suite=$(flock "$logs/queue.lock" sh -c 'head -n 1 "$1" | grep . && sed -i 1d "$1"' sh "$logs/queue"); do
        ctest --test-dir "$dir" -R "^${suite}\\." --output-on-failure --timeout 300 "${ctest_extra[@]}" \
          >"$logs/suite-$(tr / _ <<<"$suite").log" 2>&1
      done
    ) &
  done
  wait
  for log in "$logs"/suite-*.log; do
    grep -E '^\s*[0-9]+/[0-9]+ Test.*(Failed|Timeout|Not Run)|Errors while' "$log"
    ctest_counts "$log"
  done
  cat "$logs"/suite-*.log >"$dir.ctest.log"
  echo "== windows: done after ${SECONDS}s in all"
}

# script_counts LOG PREFIX: adds a script's result lines ("PREFIX NAME: passed ..." or
# "PREFIX NAME: FAILED ...") to the totals; a script that printed none counts as one failure.
script_counts() {
  local ok bad line
  ok=$(grep -cE "^$2 [^:]+: passed" "$1")
  bad=$(grep -cE "^$2 [^:]+: FAILED" "$1")
  while read -r line; do problems+=("$line"); done < <(grep -E "^$2 [^:]+: FAILED" "$1")
  if [ $((ok + bad)) -eq 0 ]; then
    problems+=("$2: no result in $1"); bad=1
  fi
  passed=$((passed + ok))
  failed=$((failed + bad))
}

ctest_extra=()
mkdir -p "$build"
stage host "$build/host" 2
# Under the sanitizers, only what they can see: the Octave checks (the MEX builds and the
# property test, which hands strings to octave-cli) prove nothing more there than in the
# plain host stage, so they are neither built nor run.
sanitizer_targets=(host_tests)
for fuzz_source in "$root"/tests/fuzz/*_fuzz.cpp; do
  sanitizer_targets+=("fuzz_$(basename "$fuzz_source" _fuzz.cpp)_replay")
done
ctest_extra=(-E '^(octave\.|RefreshStatementInOctave\.)')
stage host-sanitizers "$build/host-asan" 2 "${sanitizer_targets[@]}"
ctest_extra=()

# Bounded fuzzing (clang, libFuzzer) and static analysis; each target and each analyser
# counts as one test. Longer fuzz runs: scripts/fuzz.sh SECONDS. Both run while the Windows
# tests do (below): those spend much of their time waiting for Wine processes, which leaves a
# core free. Their results are read after the Windows tests.
checks_started=false
start_fuzz_and_static_analysis() {
  checks_started=true
  (
    QV_BUILD_DIR=$build bash "$root/scripts/fuzz.sh" "${QV_FUZZ_SECONDS:-20}" >"$build/fuzz.log" 2>&1
    QV_BUILD_DIR=$build bash "$root/scripts/static-analysis.sh" >"$build/static-analysis.log" 2>&1
  ) &
  checks_pid=$!
}
report_fuzz_and_static_analysis() {
  if ! $checks_started; then
    start_fuzz_and_static_analysis
  fi
  wait "$checks_pid"
  echo "== fuzz: ${QV_FUZZ_SECONDS:-20} s per target"
  grep -E '^fuzz [^:]+: ' "$build/fuzz.log"
  script_counts "$build/fuzz.log" fuzz
  echo "== static analysis"
  grep -E '^static-analysis|: (warning|error|style|performance|portability):' "$build/static-analysis.log" | head -n 60
  script_counts "$build/static-analysis.log" static-analysis
  echo "== fuzz and static analysis: done after ${SECONDS}s in all"
}

# Windows: throwaway prefixes copied from the build tree's template, one per worker; their
# servers are ended on every way out.
workers=${QV_WINE_WORKERS:-2}
cleanup() { for n in $(seq "$workers"); do qv_wine_stop "$build/wine-run-$n"; done; }
trap cleanup EXIT
echo "== windows: configure and build, Wine prefix"
if qv_wine_template "$build/wine-template"; then
  if stage windows "$build/windows" 0; then
    start_fuzz_and_static_analysis
    # Rarely, under load, a Wine process dies before the test program runs at all (no output,
    # 0 s). Such a test gets one more try; a test that fails twice fails the run.
    ctest_extra=(--repeat until-pass:2)
    wine_suites "$build/windows" "$workers"
  fi
  cleanup
else
  problems+=("windows: no Wine prefix"); failed=$((failed + 1))
fi
report_fuzz_and_static_analysis

for p in "${problems[@]}"; do echo "problem: $p"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
