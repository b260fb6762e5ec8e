#!/usr/bin/env bash
# The main job, on a sandbox Windows machine under Wine: builds what is missing, then runs
# QvMatlabSetPath.exe and prints what it showed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}
source "$root/scripts/wine-env.sh"

bash "$root/scripts/install-deps.sh"

echo "== building the Windows binaries"
cmake -S "$root" -B "$build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" >/dev/null
cmake --build "$build/windows" --target QvMatlabSetPath ui_driver >/dev/null

prefix="$build/wine-demo"
trap 'qv_wine_stop "$prefix"' EXIT
qv_wine_template "$build/wine-template"
qv_wine_fresh "$build/wine-template" "$prefix"
export WINEPREFIX=$prefix
qv_wine_start "$prefix"

bin="$build/windows/bin"
echo "== QvMatlabSetPath.exe /?"
wine "$bin/ui_driver.exe" run "$(qv_winpath "$bin/QvMatlabSetPath.exe")" '/?' | tr -d '\r' |
  sed -e 's/^INFO Info|/"Info" box:\n/' -e 's/\\n/\n/g'
