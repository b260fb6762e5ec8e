#!/usr/bin/env bash
# A host built for the Microsoft ABI uses the package as its developer would: CMake with an
# MSVC-like tool chain (clang for x86_64-pc-windows-msvc, lld-link) configures
# microsoft_abi_host/ against the unpacked archive; find_package must give it the .lib import
# library, the host must link against it and run under Wine with the packaged adapter.
# check_microsoft_abi_package.sh BUILD_DIR SOURCE_DIR   (WINEPREFIX from the caller)
set -euo pipefail
build=$1 source=$2
here=$(cd "$(dirname "$0")" && pwd)
work="$build/microsoft-abi-package-check"
fail() { echo "check_microsoft_abi_package: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/unpacked"
(cd "$build" && cpack --config CPackConfig.cmake -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack failed"; }
version=$(sed -nE 's/^CMAKE_PROJECT_VERSION:STATIC=(.*)/\1/p' "$build/CMakeCache.txt")
top="$work/unpacked/QvMatlabTools-$version-win64"
unzip -q "$work/package/QvMatlabTools-$version-win64.zip" -d "$work/unpacked"

abi="$build/tests/matlab_api/microsoft_abi"
cmake -S "$here/microsoft_abi_host" -B "$work/host" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/microsoft_abi_host/clang-msvc.cmake" \
  -DCMAKE_PREFIX_PATH="$top" -DQV_HOST_SOURCE_DIR="$source/tests/matlab_api/microsoft_abi" \
  -DQV_CALL_LOG_INCLUDE_DIR="$source/testbed/matlab_libs" \
  -DQV_HOST_IMPORT_LIBRARIES="$abi/kernel32.lib;$abi/qv_matlab_call_log.lib" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; fail "the host does not configure"; }
cmake --build "$work/host" -v >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "the host does not build"; }
grep -qF "$top/lib/QvMatlabAPI_9_4_Lib.lib" "$work/build.log" || { cat "$work/build.log"; fail "the host was not linked against the packaged .lib"; }

cp "$build"/bin/{libmx,libmat,libeng,libmex,qv_matlab_call_log}.dll "$top/bin/QvMatlabAPI_9_4_Lib.dll" "$work/host/"
output=$(cd "$work/host" && wine microsoft_abi_package_host.exe 2>&1 | tr -d '\r') || { echo "$output"; fail "the host failed"; }
echo "$output"
echo "microsoft-abi package: passed"
