# Sourced by the scripts: where the clone and its build trees are, and the one way to
# configure (and build) a tree from its preset in CMakePresets.json.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${QV_BUILD_DIR:-$root/build}")

# qv_configure PRESET DIR: configures DIR with the preset's settings, logging to
# DIR.configure.log; on a failure it prints the end of the log and "PRESET: configure failed"
# and returns non-zero.
qv_configure() {
  local preset=$1 dir=$2
  mkdir -p "$(dirname "$dir")"
  if ! cmake -S "$root" -B "$dir" --preset "$preset" >"$dir.configure.log" 2>&1; then
    tail -n 40 "$dir.configure.log"
    echo "$preset: configure failed (log: $dir.configure.log)"
    return 1
  fi
}

# qv_configure_build PRESET DIR [TARGET...]: qv_configure, then builds the TARGETs (all when
# none), logging to DIR.build.log; on a failure it prints the build's errors and
# "PRESET: build failed", and returns non-zero.
qv_configure_build() {
  local preset=$1 dir=$2
  shift 2
  qv_configure "$preset" "$dir" || return 1
  qv_build "$preset" "$dir" "$@"
}

# qv_build PRESET DIR [TARGET...]: builds the TARGETs (all when none) of a configured tree,
# logging to DIR.build.log; on a failure as qv_configure_build.
qv_build() {
  local preset=$1 dir=$2
  shift 2
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  if ! cmake --build "$dir" "${targets[@]}" >"$dir.build.log" 2>&1; then
    grep -E 'error|Error' "$dir.build.log" | head -n 40
    echo "$preset: build failed (log: $dir.build.log)"
    return 1
  fi
}
