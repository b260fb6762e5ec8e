#!/usr/bin/env bash
# Checks one adapter DLL's import and export tables (tests/shared/check_pe.sh):
#  - from libmx/libmat/libeng/libmex exactly the functions of the slot list (7.6: mexCallMATLAB
#    and mexSetTrapFlag in place of the two WithObject functions), by name;
#  - LoadLibraryA and FreeLibrary from KERNEL32, the release's C runtime, and no other DLL
#    (no MinGW runtime DLL): 9.x the UCRT (api-ms-win-crt-*.dll, never msvcrt.dll), 7.6
#    MSVCR90.dll;
#  - exports GetMatlabAPI and TerminateMatlabAPI and nothing else.
# Usage: check_adapter_imports.sh DLL RELEASE C_COMPILER MATLAB_API_INCLUDE_DIR
set -euo pipefail
dll=$1 release=$2 cc=$3 include=$4
fail() { echo "FAIL: $(basename "$dll"): $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The expected MATLAB imports, from the slot list itself.
expected=$(printf '%s\n' '#include "QvMatlabAPI_Slots.h"' \
    '#define QV_IMPORT_LINE(slot, op, result, params, library, mresult, function, ...) @lib##library.dll function@' \
    'QV_MATLAB_API_SLOTS(QV_IMPORT_LINE)' |
  "$cc" -E -P -I "$include" -x c - | tr '@' '\n' | sed 's/^ *//; s/ *$//' | grep -v '^$')
runtime=ucrt
if [ "$release" = 7_6 ]; then
  expected=$(sed 's/ mexCallMATLABWithObject$/ mexCallMATLAB/; s/ mexCallMATLABWithTrapWithObject$/ mexSetTrapFlag/' <<<"$expected")
  runtime=msvcr90
fi
expected=$(sort -u <<<"$expected")
[ "$(wc -l <<<"$expected")" -ge 59 ] || fail "could not read the slot list (got: $expected)"

echo "$expected" >"$work/matlab-imports"
bash "$(dirname "$0")/../shared/check_pe.sh" "$dll" --runtime "$runtime" --dlls 'lib(mx|mat|eng|mex)\.dll|kernel32\.dll' \
  --import 'kernel32.dll LoadLibraryA' --import 'kernel32.dll FreeLibrary' \
  --imports-from 'lib(mx|mat|eng|mex)\.dll' "$work/matlab-imports" --exports 'GetMatlabAPI TerminateMatlabAPI'
