#!/usr/bin/env bash
# The main job on a sandbox Windows machine under Wine.
#
# Where GNU Octave is installed, each MATLAB root gets the interpreting stand-in: Octave runs
# the -r statement, and the demo shows what orxRefresh received and the first entry of the
# path at the call. Without Octave it says so and uses the logging stand-in.
#
# Builds what is missing, lays out a sandbox machine in a fresh Wine prefix (a 32-bit and a
# 64-bit MATLAB with stand-in matlab.exe programs, one per-user MATLAB root, a MATLAB no
# connector serves, two stand-in connector classes, the connector location in both registry
# views, ORX 9.5, 10 and 11 with stand-in setup programs, ORX 10 x64 already set up for the
# user) and runs   QvMatlabSetPath.exe -list -d   there.
#
# With a DISPLAY the program opens on it for you to use. Without one it runs on a private
# Xvfb display: the UI driver ticks ORX 10 (32-bit) and ORX 11 (64-bit), chooses "All" and
# presses OK, and screenshots are saved in build/demo/. Either way it ends with what each
# stand-in MATLAB and setup program was started with, and the "Info" messages seen.
set -euo pipefail
source "$(dirname "$0")/preamble.sh"
source "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh"

echo "== building the Windows binaries"
qv_configure_build windows "$build/windows" QvMatlabSetPath ui_driver sandbox standin_interpreting_matlab
bin="$build/windows/bin"
out="$build/demo"
mkdir -p "$out"
rm -f "$out/folder-dialog.png"

prefix="$build/wine-demo"
cleanup() {
  qv_wine_stop "$prefix"
  qv_xvfb_stop
}
trap cleanup EXIT

person=${DISPLAY:-}
[ -n "$person" ] || qv_xvfb_start 1024x768

echo "== sandbox Windows machine in $prefix"
qv_wine_display_prefix "$build" "$prefix"
record="$out/orx-refresh-record.txt"
rm -f "$record"
if command -v octave-cli >/dev/null; then
  echo "== MATLAB stand-in: interpreting (GNU Octave runs each -r statement)"
  export QV_MATLAB_STANDIN=interpreting_matlab.exe QV_ORX_RECORD=$record QV_OCTAVE_WORK=$out \
    QV_OCTAVE_RUNNER=$root/testbed/octave/run-octave.sh \
    QV_OCTAVE_PATH=$root/testbed/octave/shim:$root/testbed/octave/refresh
else
  echo "== GNU Octave is not installed (scripts/install-deps.sh installs it): using the logging MATLAB stand-in"
fi
(cd "$bin" && wine sandbox.exe install)

# The stand-ins append what they were started with to this log.
export QV_STANDIN_LOG='C:\users\Public\qv-demo-standins.log'
standin_log="$prefix/drive_c/users/Public/qv-demo-standins.log"
rm -f "$standin_log"
driver_log="$out/ui-driver.log"

if [ -n "$person" ]; then
  echo "== QvMatlabSetPath.exe -list -d is open on $DISPLAY: tick folders, choose a platform, press OK"
  (cd "$bin" && wine ui_driver.exe watch -- QvMatlabSetPath.exe -list -d) >"$driver_log" 2>&1
else
  echo "== QvMatlabSetPath.exe -list -d, worked by the UI driver on a private display"
  (cd "$bin" && wine explorer /desktop=demo,1024x768 ui_driver.exe folders show click 32 0 platform All click 64 1 \
    show wait 3000 ok -- QvMatlabSetPath.exe -list -d) >"$driver_log" 2>&1 &
  driver_pid=$!
  for _ in $(seq 600); do grep -q '^WAIT' "$driver_log" 2>/dev/null && break; sleep 0.1; done
  if grep -q '^WAIT' "$driver_log"; then
    sleep 1
    import -display "$DISPLAY" -window root "$out/folder-dialog.png"
  fi
  wait "$driver_pid" || true
fi

# Prints the demo's findings for a person to read.
unescape() { sed -e 's/%09/\t/g' -e 's/%0A/\\n/g' -e 's/%0D/\\r/g' -e 's/%25/%/g'; }

echo
echo "== \"Info\" messages seen, in order"
n=0
while IFS= read -r line; do
  n=$((n + 1))
  text=${line#INFO *|}
  printf '  %2d. %s\n' "$n" "$(sed -e 's/\\n$//' -e 's/\\n/ \/ /g' -e 's/\\\\/\\/g' <<<"$text")"
done < <(tr -d '\r' <"$driver_log" | grep '^INFO ')
[ "$n" -gt 0 ] || echo "  (none)"

if tr -d '\r' <"$driver_log" | grep -q '^ITEM'; then
  echo
  echo "== the folder-selection dialog as the UI driver saw it (last look before OK)"
  tr -d '\r' <"$driver_log" | awk '/^DIALOG/ { block = "" } /^(DIALOG|PLATFORM|LIST|ITEM)/ { block = block "  " $0 "\n" } END { printf "%s", block }'
fi

echo
echo "== programs started, in order"
if [ -s "$standin_log" ]; then
  printf '  %-3s %-58s %s\n' '#' 'program' 'working directory'
  n=0
  while IFS=$'\t' read -r overlap program directory commandline; do
    n=$((n + 1))
    printf '  %-3s %-58s %s\n' "$n." "$(unescape <<<"$program")" "$(unescape <<<"$directory")"
    printf '      command line: %s\n' "$(unescape <<<"$commandline")"
    [ "$overlap" = alone ] || echo "      (started while another one was still running)"
  done <"$standin_log"
else
  echo "  (none)"
fi

if [ -n "${QV_ORX_RECORD:-}" ]; then
  echo
  echo "== what orxRefresh received in Octave, per MATLAB launch"
  unhex() { printf "%b" "$(sed "s/../\\\\x&/g" <<<"$1")"; }
  n=0
  if [ -s "$record" ]; then
    while IFS=$'\t' read -r kind a b c d; do
      case $kind in
        refresh)
          n=$((n + 1))
          path=$(unhex "$d")
          printf '  %d. orxRefresh(%s, %s, %s)\n' "$n" "'$(unhex "$a")'" "'$(unhex "$b")'" "'$(unhex "$c")'"
          printf '     first on the path: %s\n' "${path%%;*}" ;;
        matlab) printf '     interpreter ended: %s\n' "$a" ;;
        *) printf '  %s\n' "$kind" ;;
      esac
    done <"$record"
  else
    echo "  (none)"
  fi
fi
[ -f "$out/folder-dialog.png" ] && echo && echo "screenshot: $out/folder-dialog.png"
exit 0
