#!/usr/bin/env bash
# Packs the Windows build, unpacks both archives into a fresh folder and checks them as a
# user of the package would meet them:
#   - exactly the files of main-files.txt and debug-files.txt;
#   - SHA256SUMS names every other file of the main archive, with the right sums;
#   - the binaries carry no symbols and no debug sections, and a debug link to their .debug file;
#   - examples/host configures against the unpacked folder (find_package), builds, and runs
#     under Wine for every release with the stand-in MATLAB libraries beside it.
# check_package.sh BUILD_DIR SOURCE_DIR TOOLCHAIN_FILE   (WINEPREFIX from the caller)
set -euo pipefail
build=$1 source=$2 toolchain=$3
here=$(cd "$(dirname "$0")" && pwd)
work="$build/package-check"
objdump=x86_64-w64-mingw32-objdump
fail() { echo "check_package: $*" >&2; exit 1; }

rm -rf "$work" "$build/package"
mkdir -p "$work/unpacked"
(cd "$build" && cpack --config CPackConfig.cmake >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
version=$(sed -nE 's/^CMAKE_PROJECT_VERSION:STATIC=(.*)/\1/p' "$build/CMakeCache.txt")
name="QvMatlabTools-$version-win64"
for zip in "$name.zip" "$name-debug.zip"; do
  [ -f "$build/package/$zip" ] || fail "no $zip"
  unzip -q "$build/package/$zip" -d "$work/unpacked"
done
top="$work/unpacked/$name"
[ -d "$top" ] || fail "the archives do not unpack into $name/"

echo "== contents"
(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$work/found.txt"
LC_ALL=C sort "$here/main-files.txt" "$here/debug-files.txt" >"$work/expected.txt"
diff -u "$work/expected.txt" "$work/found.txt" || fail "the archives hold other files than listed"
unzip -Z1 "$build/package/$name.zip" | grep -v '/$' | sed "s|^$name/||" | LC_ALL=C sort >"$work/main-found.txt"
diff -u <(LC_ALL=C sort "$here/main-files.txt") "$work/main-found.txt" || fail "the main archive holds other files than listed"

echo "== SHA256SUMS"
(cd "$top" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
diff -u <(grep -vx SHA256SUMS "$here/main-files.txt" | LC_ALL=C sort) <(sed -E 's/^[0-9a-f]{64}  //' "$top/SHA256SUMS" | LC_ALL=C sort) ||
  fail "SHA256SUMS does not name exactly the other files of the main archive"

echo "== stripped binaries"
for binary in "$top"/bin/*.exe "$top"/bin/*.dll; do
  file=$(basename "$binary")
  "$objdump" -t "$binary" | grep 'no symbols' >/dev/null || fail "$file still has symbols"
  ! "$objdump" -h "$binary" | grep '\.debug_' >/dev/null || fail "$file still has debug sections"
  x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink="$work/debuglink" "$binary" "$work/scratch" 2>/dev/null ||
    fail "$file has no debug link"
  link=$(head -c $((${#file} + 6)) "$work/debuglink")
  [ "$link" = "$file.debug" ] || fail "$file has no debug link to $file.debug (found '$link')"
  [ "$("$objdump" -t "$top/bin/$file.debug" | grep -c '^\[')" -gt 0 ] || fail "$file.debug holds no symbols"
done
for dll in "$top"/bin/QvMatlabAPI_*_Lib.dll; do
  bash "$here/../shared/check_pe.sh" "$dll" --exports 'GetMatlabAPI TerminateMatlabAPI' >/dev/null || fail "$(basename "$dll") lost its exports"
done

echo "== example host against the unpacked package"
cmake -S "$source/examples/host" -B "$work/host" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$top" >"$work/host-configure.log" 2>&1 ||
  { cat "$work/host-configure.log"; fail "the example host does not configure"; }
grep -q "QvMatlabAPI_DIR:PATH=$top/lib/cmake/QvMatlabAPI" "$work/host/CMakeCache.txt" ||
  fail "find_package did not take the unpacked package"
cmake --build "$work/host" >"$work/host-build.log" 2>&1 || { cat "$work/host-build.log"; fail "the example host does not build"; }
# The stand-ins take MATLAB's place; nothing else of the build tree comes along.
cp "$build"/bin/{libmx,libmat,libeng,libmex,qv_matlab_call_log}.dll "$work/host/"
for release in 9.4 9.3 7.6; do
  output=$(cd "$work/host" && wine example_host.exe "$release" 2>"$work/host-$release.err" | tr -d '\r') ||
    { echo "$output"; cat "$work/host-$release.err"; fail "example_host $release failed"; }
  echo "$output" | sed "s/^/  $release: /"
  grep -qx "loaded QvMatlabAPI_${release/./_}_Lib.dll" <<<"$output" || fail "example_host $release did not load its adapter"
  grep -qx "IsNaN(1.5) -> 0" <<<"$output" || fail "example_host $release: no call went through"
  grep -qx "terminated" <<<"$output" || fail "example_host $release did not terminate its object"
done
# The adapters it ran are the unpacked ones.
cmp -s "$work/host/QvMatlabAPI_9_4_Lib.dll" "$top/bin/QvMatlabAPI_9_4_Lib.dll" || fail "the host did not use the packaged DLL"
echo "package: passed"
