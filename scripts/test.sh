#!/usr/bin/env bash
# Runs every test: host (plain and under ASan/UBSan), a bounded fuzz run, static analysis and
# Windows (under Wine).
# Installs what it needs first. Prints each stage's wall and CPU time as it ends, and a table of
# them at the end. Each test that passed only on its second try is named on a line of its own;
# then "summary: N passed, N failed, N passed only on a retry[: NAME...]", and the last line
# is "N passed, N failed" alone.
set -uo pipefail
source "$(dirname "$0")/preamble.sh"
source "$root/scripts/wine-env.sh"

# clock NAME [PID]: prints "== NAME: N s wall, N s CPU (machine N s)" for the time since the
# last call (or since the script started), and keeps the line for the table at the end. CPU is
# user+sys of this shell (or of the subshell PID) and of every process it has waited for; Wine's
# server and the programs Wine starts are not among those. "machine" is the CPU time of the
# whole machine (/proc/stat): on an otherwise quiet machine, all of the stage's, Wine included;
# a subshell's lines leave it out, as its stages run beside others.
clock_lines=()
clock_wall=$(date +%s)
clock_cpu=0
tck=$(getconf CLK_TCK)
cpu_ticks() {  # cpu_ticks PID: user+sys of PID and its waited-for children
  local stat
  stat=$(cut -d')' -f2- "/proc/$1/stat")
  awk '{ print $12 + $13 + $14 + $15 }' <<<"$stat"
}
machine_ticks() { awk '/^cpu / { print $2 + $3 + $4 + $7 + $8; exit }' /proc/stat; }
clock_machine=$(machine_ticks) machine_start=$(machine_ticks)
clock() {
  local now cpu machine line
  now=$(date +%s) cpu=$(cpu_ticks "${2:-$$}") machine=$(machine_ticks)
  line="== $1: $((now - clock_wall)) s wall, $(((cpu - clock_cpu + tck / 2) / tck)) s CPU"
  [ -n "${2:-}" ] || line+=" (machine $(((machine - clock_machine + tck / 2) / tck)) s)"
  echo "$line"
  clock_lines+=("$line")
  clock_wall=$now clock_cpu=$cpu clock_machine=$machine
}

bash "$root/scripts/install-deps.sh" || exit 1
clock install

passed=0
failed=0
retried=()
problems=()

# ctest_counts LOG: adds the counts of a ctest summary to the totals, and the tests that passed
# on a second try (ctest prints a try after the first without the "N/M" counter) to retried.
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
  local name
  while read -r name; do retried+=("$name"); done < <(sed -nE 's/^ +Test +#[0-9]+: ([^ ]+) .* Passed +[0-9.]+ sec$/\1/p' "$1")
}
failed_lines='^\s*[0-9]+/[0-9]+ Test +#[0-9]+: .*(\*\*\*|Not Run)'  # a ctest result line of a failure

# stage NAME DIR CTEST_JOBS [TARGET...]: configure and build one configuration from its preset
# NAME (the folder from QV_BUILD_DIR), then test it with CTEST_JOBS (0: no test here).
stage() {
  local name=$1 dir=$2 jobs=$3
  shift 3
  echo "== $name: configure and build"
  local make=qv_configure_build
  [ ! -f "$dir/.qv-configured-early" ] || make=qv_build
  if ! $make "$name" "$dir" "$@"; then
    problems+=("$name: configure or build failed"); failed=$((failed + 1)); clock "$name build"; return 1
  fi
  clock "$name build"
  [ "$jobs" -gt 0 ] || return 0
  echo "== $name: test"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --timeout 300 "${ctest_extra[@]}" 2>&1 | tee "$dir.ctest.log" | grep -E "$failed_lines|tests passed|Errors while"
  ctest_counts "$dir.ctest.log"
  clock "$name test"
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
    # No times yet (a fresh clone): the package checks, which build the release a second time,
    # go first, so that the other suites run beside them rather than after them.
    { grep -x package "$logs/suites"; grep -vx package "$logs/suites"; } >"$logs/queue"
  fi
  echo "== windows: $(wc -l <"$logs/suites") suites on $workers workers"
  local pids=()
  for n in $(seq "$workers"); do
    (
      export WINEPREFIX=$build/wine-run-$n
      while suite=$(flock "$logs/queue.lock" sh -c 'head -n 1 "$1" | grep . && sed -i 1d "$1"' sh "$logs/queue"); do
        ctest --test-dir "$dir" -R "^${suite}\\." --output-on-failure --timeout 300 "${ctest_extra[@]}" \
          >"$logs/suite-$(tr / _ <<<"$suite").log" 2>&1
      done
    ) &
    pids+=($!)
  done
  wait "${pids[@]}"  # the workers only: fuzzing and static analysis may still run
  for log in "$logs"/suite-*.log; do
    grep -E "$failed_lines|Errors while" "$log"
    ctest_counts "$log"
  done
  cat "$logs"/suite-*.log >"$dir.ctest.log"
  clock "windows test"
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

# one_check NAME COMMAND...: a check of the tree that counts as one test; prints
# "check NAME: passed", or "check NAME: FAILED" and the end of its log ($build/check-NAME.log).
one_check() {
  local name=$1
  shift
  if "$@" >"$build/check-$name.log" 2>&1; then
    echo "check $name: passed"; passed=$((passed + 1))
  else
    tail -n 40 "$build/check-$name.log"
    echo "check $name: FAILED"; problems+=("check $name failed (log: $build/check-$name.log)"); failed=$((failed + 1))
  fi
}

# Bounded fuzzing (clang, libFuzzer) and static analysis; each target and each analyser
# counts as one test. Longer fuzz runs: scripts/fuzz.sh SECONDS. Both run in the background
# (see below); their results are read after the Windows tests.
checks_started=false
start_fuzz_and_static_analysis() {
  checks_started=true
  (
    renice -n 10 "$BASHPID" >/dev/null
    clock_wall=$(date +%s) clock_cpu=0 clock_lines=()
    QV_BUILD_DIR=$build bash "$root/scripts/fuzz.sh" "${QV_FUZZ_SECONDS:-10}" >"$build/fuzz.log" 2>&1
    clock fuzz "$BASHPID" >"$build/checks.clock"
    QV_BUILD_DIR=$build bash "$root/scripts/static-analysis.sh" >"$build/static-analysis.log" 2>&1
    clock "static analysis" "$BASHPID" >>"$build/checks.clock"
  ) &
  checks_pid=$!
}
report_fuzz_and_static_analysis() {
  if ! $checks_started; then
    start_fuzz_and_static_analysis
  fi
  wait "$checks_pid"
  clock_cpu=$(cpu_ticks $$)  # the checks' CPU is on their own lines
  echo "== fuzz: ${QV_FUZZ_SECONDS:-10} s per target"
  grep -E '^fuzz [^:]+: ' "$build/fuzz.log"
  script_counts "$build/fuzz.log" fuzz
  echo "== static analysis"
  grep -E '^static-analysis|: (warning|error|style|performance|portability):' "$build/static-analysis.log" | head -n 60
  script_counts "$build/static-analysis.log" static-analysis
  # Their own clock lines: they ran beside the Windows tests.
  local line
  while read -r line; do echo "$line"; clock_lines+=("$line"); done <"$build/checks.clock"
  clock "waiting for fuzz and static analysis"
}

ctest_extra=()
mkdir -p "$build"
# Windows: throwaway prefixes copied from the build tree's template, one per worker; their
# servers, and the template's, are ended on every way out.
workers=${QV_WINE_WORKERS:-2}
cleanup() { for n in $(seq "$workers"); do qv_wine_stop "$build/wine-run-$n"; done; }
trap 'cleanup; qv_wine_stop "$build/wine-template"' EXIT
# The template Wine prefix is made beside the host stages (wineboot mostly waits).
( qv_wine_template "$build/wine-template" >"$build/wine-template.log" 2>&1 ) &
template_pid=$!
# Checks of the tree that need no build, each one test: every C and C++ file in the one
# format, and every entry of the mutation list pointing at code that exists.
one_check format bash "$root/scripts/check-format.sh"
one_check mutation-list python3 "$root/scripts/mutation-run.py" --check "$root" "$root/scripts/mutation-faults.txt"
stage host "$build/host" 2
# From here on, the checks that only need CPU run in the background, at a lower priority, beside
# the Windows build and tests: the Windows tests mostly wait for Wine processes, and the
# sooner they start, the sooner the run ends. Fuzzing and static analysis: static analysis
# reads the Windows tree's compile commands, so that tree is configured first and its stage
# only builds it.
rm -f "$build/windows/.qv-configured-early"
if qv_configure windows "$build/windows"; then
  touch "$build/windows/.qv-configured-early"
  start_fuzz_and_static_analysis
fi
clock "windows configure"
# Under the sanitizers, only what they can see: the Octave checks (the MEX builds and the
# property test, which hands strings to octave-cli) prove nothing more there than in the
# plain host stage, so they are neither built nor run.
sanitizer_targets=(host_tests)
for fuzz_source in "$root"/tests/fuzz/*_fuzz.cpp; do
  sanitizer_targets+=("fuzz_$(basename "$fuzz_source" _fuzz.cpp)_replay")
done
rm -f "$build/host-asan.ctest.log" "$build/host-asan.clock"
(
  renice -n 10 "$BASHPID" >/dev/null
  clock_wall=$(date +%s) clock_cpu=0 clock_lines=()
  qv_configure_build host-sanitizers "$build/host-asan" "${sanitizer_targets[@]}" >"$build/host-asan.stage.log" 2>&1 ||
    exit 1
  clock "host-sanitizers build" "$BASHPID" >"$build/host-asan.clock"
  ctest --test-dir "$build/host-asan" -j 2 --output-on-failure --timeout 300 -E '^(octave\.|RefreshStatementInOctave\.)' \
    >"$build/host-asan.ctest.log" 2>&1
  clock "host-sanitizers test" "$BASHPID" >>"$build/host-asan.clock"
) &
sanitizers_pid=$!
report_sanitizers() {
  local line
  wait "$sanitizers_pid"
  echo "== host-sanitizers"
  if [ ! -f "$build/host-asan.ctest.log" ]; then
    cat "$build/host-asan.stage.log"
    problems+=("host-sanitizers: configure or build failed"); failed=$((failed + 1))
  else
    grep -E "$failed_lines|tests passed|Errors while" "$build/host-asan.ctest.log"
    ctest_counts "$build/host-asan.ctest.log"
  fi
  while read -r line; do echo "$line"; clock_lines+=("$line"); done < <(cat "$build/host-asan.clock" 2>/dev/null)
  clock "waiting for host-sanitizers"
}

echo "== windows: configure and build, Wine prefix"
wait "$template_pid"
if qv_wine_template "$build/wine-template"; then
  clock "wine template prefix"
  if stage windows "$build/windows" 0; then
    # Rarely, under load, a Wine process dies before the test program runs at all (no output,
    # 0 s). Such a test gets one more try; a test that fails twice fails the run.
    ctest_extra=(--repeat until-pass:2)
    wine_suites "$build/windows" "$workers"
    ctest_extra=()
  fi
  cleanup
else
  problems+=("windows: no Wine prefix"); failed=$((failed + 1))
fi
report_sanitizers
report_fuzz_and_static_analysis

echo "== stages (see clock above: CPU of what this script waited for; machine: all CPU of the machine)"
printf '%s\n' "${clock_lines[@]}"
echo "== total: ${SECONDS} s wall, $((($(cpu_ticks $$) + tck / 2) / tck)) s CPU (machine $((($(machine_ticks) - machine_start + tck / 2) / tck)) s)"
for p in "${problems[@]}"; do echo "problem: $p"; done
for name in "${retried[@]}"; do echo "passed only on a retry: $name"; done
echo "summary: $passed passed, $failed failed, ${#retried[@]} passed only on a retry${retried:+: ${retried[*]}}"
# The closing line, alone, for whatever reads the counts.
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
