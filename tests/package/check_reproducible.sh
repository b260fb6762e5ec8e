#!/usr/bin/env bash
# The release archives are reproducible: a second build of the same source, in another folder
# and at another time, packs byte-identical archives (main and debug). Only what the archives
# hold is built the second time: the program, the three adapters and what they link, their
# debug files and import libraries. Unsigned, whatever QV_SIGN_* the caller has set.
# The second build is configured from the same preset as the test command's ("windows").
# check_reproducible.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work="$build/reproducible-check"
fail() { echo "check_reproducible: $*" >&2; exit 1; }
unset QV_SIGN_PKCS12 QV_SIGN_PASSWORD QV_SIGN_TIMESTAMP_URL

rm -rf "$work"
mkdir -p "$work"
(cd "$build" && cpack --config CPackConfig.cmake -B "$work/first" >"$work/first-cpack.log" 2>&1) ||
  { cat "$work/first-cpack.log"; fail "cpack failed in $build"; }

second="$work/second"
cmake -S "$source" -B "$second" --preset windows -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >"$work/second-configure.log" 2>&1 ||
  { cat "$work/second-configure.log"; fail "the second build does not configure"; }
cmake --build "$second" -j2 --target QvMatlabSetPath QvMatlabAPI_9_4_Lib QvMatlabAPI_9_3_Lib QvMatlabAPI_7_6_Lib \
  qv_debug_info QvMatlabAPI_9_4_Lib_microsoft_import_library QvMatlabAPI_9_3_Lib_microsoft_import_library \
  QvMatlabAPI_7_6_Lib_microsoft_import_library >"$work/second-build.log" 2>&1 ||
  { tail -n 40 "$work/second-build.log"; fail "the second build failed"; }
(cd "$second" && cpack --config CPackConfig.cmake -B "$work/second-package" >"$work/second-cpack.log" 2>&1) ||
  { cat "$work/second-cpack.log"; fail "cpack failed in the second build"; }

different=0
for zip in "$work"/first/*.zip; do
  name=$(basename "$zip")
  other="$work/second-package/$name"
  [ -f "$other" ] || fail "the second build made no $name"
  if cmp -s "$zip" "$other"; then
    echo "same: $name ($(sha256sum <"$zip" | cut -c1-64))"
  else
    different=1
    echo "DIFFERENT: $name"
    mkdir -p "$work/unpacked/first" "$work/unpacked/second"
    unzip -q -o "$zip" -d "$work/unpacked/first"
    unzip -q -o "$other" -d "$work/unpacked/second"
    diff <(unzip -Zv "$zip" | grep -vE '^(Archive|  file system|  .*offset)') \
         <(unzip -Zv "$other" | grep -vE '^(Archive|  file system|  .*offset)') | head -n 20 || true
  fi
done
# No folder of this machine in anything packed (the build folders lie inside the source folder
# or elsewhere; both are looked for).
mkdir -p "$work/unpacked/packed"
for zip in "$work"/first/*.zip; do unzip -q -o "$zip" -d "$work/unpacked/packed"; done
for folder in "$source" "$build"; do
  ! grep -rlaF "$folder" "$work/unpacked/packed" || fail "the archives name the folder $folder"
done
[ "$different" -eq 0 ] || { diff -rq "$work/unpacked/first" "$work/unpacked/second" || true; fail "the archives differ"; }
echo "reproducible: passed"
