#!/usr/bin/env bash
# Screenshots of QvMatlabSetPath's dialogs as Wine renders them, for the documentation:
#   docs/screenshots/folder-dialog.png    the folder-selection dialog with ticked folders
#   docs/screenshots/progress-window.png  the progress window
#   docs/screenshots/folder-dialog-192dpi.png  the folder-selection dialog at 192 DPI
# The prefix draws dialogs in Carlito (qv_wine_dialog_font); before each shot
# label_fit_check.exe measures every label of both templates in that prefix and the script
# stops if one would not fit.
# The dialogs run in the test host (tests/dialogs/folder_dialog_host) inside a Wine virtual
# desktop (which draws window frames) on a private Xvfb display; the UI driver ticks the
# folders. Everything started here is stopped again on the way out.
set -euo pipefail
source "$(dirname "$0")/preamble.sh"
out="$root/docs/screenshots"
source "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh"

echo "== building the dialog host and the UI driver"
qv_configure_build windows "$build/windows" folder_dialog_host ui_driver label_fit_check
bin="$build/windows/bin"

width=720
height=480
prefix="$build/wine-shots"
cleanup() {
  qv_wine_stop "$prefix"
  qv_xvfb_stop
}
trap cleanup EXIT
qv_xvfb_start "${width}x${height}"

qv_wine_display_prefix "$build" "$prefix"
mkdir -p "$out"

# on_desktop PROGRAM ARGS...: runs a program in a virtual desktop as large as the display.
on_desktop() {
  (cd "$bin" && exec wine explorer "/desktop=shots,${width}x${height}" "$@")
}

# labels_fit DPI: every label of both templates fits its control in this prefix.
labels_fit() {
  echo "== labels at $1 DPI (text width, control width)"
  (cd "$bin" && wine label_fit_check.exe 2>/dev/null) | tr -d '\r' | sed 's/^/  /' ||
    { echo "screenshots: a label does not fit at $1 DPI" >&2; exit 1; }
}

# folder_dialog SHOT: the folder-selection dialog with ticked folders, saved as SHOT.
folder_dialog() {
  log="$build/screenshots-driver.log"
  on_desktop ui_driver.exe folders platform All click 32 0 click 32 2 click 64 1 show wait 6000 ok -- \
    folder_dialog_host.exe -progress -platform 2 \
    -32 'C:\Program Files (x86)\QVR\ORX 10\bin\Matlab' -32 'C:\Program Files (x86)\QVR\ORX 9\bin\Matlab' \
    -32 'C:\Program Files (x86)\QVR\ORX 11\bin\Matlab' \
    -64 'C:\Program Files\QVR\ORX 11\bin\Matlab' -64 'C:\Program Files\QVR\ORX 10\bin\Matlab' >"$log" 2>&1 &
  driver_pid=$!
  for _ in $(seq 300); do grep -q '^WAIT' "$log" && break; sleep 0.1; done
  grep -q '^WAIT' "$log" || { cat "$log" >&2; echo "screenshots: the dialog did not come up" >&2; exit 1; }
  sleep 1  # let the last ticks be painted
  import -display "$DISPLAY" -window root "$1"
  wait "$driver_pid" || true
  tr -d '\r' <"$log" | grep -E '^(PROGRESS|PLATFORM|LIST|ITEM|INFO)'
}

labels_fit 96
echo "== the folder-selection dialog"
folder_dialog "$out/folder-dialog.png"

echo "== the progress window"
on_desktop folder_dialog_host.exe -progress-only 5000 >/dev/null 2>&1 &
host_pid=$!
sleep 3
import -display "$DISPLAY" -window root -gravity center -crop 420x160+0+0 +repage "$out/progress-window.png"
wait "$host_pid" || true

echo "== the folder-selection dialog at 192 DPI"
qv_wine_stop "$prefix"
qv_xvfb_stop
width=1280
height=860
qv_xvfb_start "${width}x${height}"
qv_wine_dpi "$prefix" 192
qv_wine_start "$prefix"
labels_fit 192
folder_dialog "$out/folder-dialog-192dpi.png"

echo "saved: docs/screenshots/folder-dialog.png docs/screenshots/progress-window.png docs/screenshots/folder-dialog-192dpi.png"
