#!/usr/bin/env bash
# Runs every test: host (plain and under ASan/UBSan), a bounded fuzz run, static analysis and
# Windows (under Wine).
# Installs what it needs first. Ends with a line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}
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

# stage NAME BUILD_DIR CTEST_JOBS CMAKE_ARGS...: configure, build and test one configuration
# (the settings of each come from its preset in CMakePresets.json; the folder from QV_BUILD_DIR).
stage() {
  local name=$1 dir=$2 jobs=$3
  shift 3
  echo "== $name: configure and build"
  if ! cmake -S "$root" -B "$dir" "$@" >"$dir.configure.log" 2>&1; then
    mkdir -p "$(dirname "$dir")"; tail -n 40 "$dir.configure.log"; problems+=("$name: configure failed"); failed=$((failed + 1)); return
  fi
  if ! cmake --build "$dir" >"$dir.build.log" 2>&1; then
    grep -E 'error|Error' "$dir.build.log" | head -n 40; problems+=("$name: build failed"); failed=$((failed + 1)); return
  fi
  echo "== $name: test"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300 "${ctest_extra[@]}" 2>&1 | tee "$dir.ctest.log" | grep -E '^\s*[0-9]+/[0-9]+ Test.*(Failed|Timeout|Not Run)|tests passed|Errors while'
  ctest_counts "$dir.ctest.log"
  echo "== $name: done after ${SECONDS}s in all"
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
stage host "$build/host" 2 --preset host
stage host-sanitizers "$build/host-asan" 2 --preset host-sanitizers

# Bounded fuzzing (clang, libFuzzer) and static analysis; each target and each analyser
# counts as one test. Longer fuzz runs: scripts/fuzz.sh SECONDS.
echo "== fuzz: ${QV_FUZZ_SECONDS:=20} s per target"
QV_BUILD_DIR=$build bash "$root/scripts/fuzz.sh" "$QV_FUZZ_SECONDS" 2>&1 | tee "$build/fuzz.log" | grep -E '^fuzz [^:]+: '
script_counts "$build/fuzz.log" fuzz
echo "== fuzz: done after ${SECONDS}s in all"
echo "== static analysis"
QV_BUILD_DIR=$build bash "$root/scripts/static-analysis.sh" 2>&1 | tee "$build/static-analysis.log" |
  grep -E '^static-analysis|: (warning|error|style|performance|portability):' | head -n 60
script_counts "$build/static-analysis.log" static-analysis
echo "== static analysis: done after ${SECONDS}s in all"

# Windows: one throwaway prefix per run, copied from the build tree's template; its server
# is ended on every way out.
prefix="$build/wine-run"
cleanup() { qv_wine_stop "$prefix"; }
trap cleanup EXIT
echo "== windows: Wine prefix"
if qv_wine_template "$build/wine-template" && qv_wine_fresh "$build/wine-template" "$prefix"; then
  export WINEPREFIX=$prefix
  qv_wine_start "$prefix"
  # Rarely, under load, a Wine process dies before the test program runs at all (no output,
  # 0 s). Such a test gets one more try; a test that fails twice fails the run.
  ctest_extra=(--repeat until-pass:2)
  stage windows "$build/windows" 1 --preset windows
  qv_wine_stop "$prefix"
else
  problems+=("windows: no Wine prefix"); failed=$((failed + 1))
fi

for p in "${problems[@]}"; do echo "problem: $p"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
