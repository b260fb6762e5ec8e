#!/usr/bin/env bash
# Checks one adapter DLL's import and export tables with the cross binutils:
#  - from libmx/libmat/libeng/libmex exactly the functions of the slot list (7.6: mexCallMATLAB
#    and mexSetTrapFlag in place of the two WithObject functions), by name;
#  - LoadLibraryA and FreeLibrary from KERNEL32, the release's C runtime, and no other DLL
#    (no MinGW runtime DLL): 9.x the UCRT (api-ms-win-crt-*.dll, never msvcrt.dll), 7.6
#    MSVCR90.dll;
#  - exports GetMatlabAPI and TerminateMatlabAPI and nothing else.
# Usage: check_adapter_imports.sh DLL RELEASE C_COMPILER MATLAB_API_INCLUDE_DIR
set -euo pipefail
dll=$1 release=$2 cc=$3 include=$4
objdump=x86_64-w64-mingw32-objdump
fail() { echo "FAIL: $(basename "$dll"): $*" >&2; exit 1; }

# The expected MATLAB imports, from the slot list itself.
expected=$(printf '%s\n' '#include "QvMatlabAPI_Slots.h"' \
    '#define QV_IMPORT_LINE(slot, op, result, params, library, mresult, function, ...) @lib##library.dll function@' \
    'QV_MATLAB_API_SLOTS(QV_IMPORT_LINE)' |
  "$cc" -E -P -I "$include" -x c - | tr '@' '\n' | sed 's/^ *//; s/ *$//' | grep -v '^$')
runtime='api-ms-win-crt-[a-z]+-l1-1-0\.dll' runtime_name=UCRT
if [ "$release" = 7_6 ]; then
  expected=$(sed 's/ mexCallMATLABWithObject$/ mexCallMATLAB/; s/ mexCallMATLABWithTrapWithObject$/ mexSetTrapFlag/' <<<"$expected")
  runtime='msvcr90\.dll' runtime_name=msvcr90.dll
fi
expected=$(sort -u <<<"$expected")
[ "$(wc -l <<<"$expected")" -ge 59 ] || fail "could not read the slot list (got: $expected)"

headers=$($objdump -p "$dll")
# "DLL Name: x" starts a block; its rows are "  vma  hint  name".
imports=$(awk '/DLL Name:/ { dll = tolower($3); next }
               dll != "" && /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print dll, $3 }
               /^$/ { if (dll != "" && seen) dll = ""; seen = 0 }
               dll != "" { seen = 1 }' <<<"$headers" | sort -u)

matlab=$(grep -E '^lib(mx|mat|eng|mex)\.dll ' <<<"$imports" || true)
if [ "$matlab" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$matlab") >&2 || true
  fail "MATLAB imports differ from the slot list (< expected, > imported)"
fi

grep -qx 'kernel32.dll LoadLibraryA' <<<"$imports" || fail "LoadLibraryA not imported from KERNEL32"
grep -qx 'kernel32.dll FreeLibrary' <<<"$imports" || fail "FreeLibrary not imported from KERNEL32"

dlls=$(grep -E 'DLL Name:' <<<"$headers" | awk '{ print tolower($3) }' | sort -u)
extra=$(grep -vxE "lib(mx|mat|eng|mex)\.dll|kernel32\.dll|$runtime" <<<"$dlls" || true)
[ -z "$extra" ] || fail "imports from DLLs beyond MATLAB's, KERNEL32 and $runtime_name: $extra"
grep -qxE "$runtime" <<<"$dlls" || fail "does not use the runtime $runtime_name"
# The C heap is the runtime's: operator new and delete must come from it, not from another CRT.
grep -qE "^($runtime) (malloc|free)$" <<<"$imports" || fail "malloc/free not imported from $runtime_name"

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
  sed -nE 's/^[[:space:]]*\[[[:space:]]*[0-9]+\] ([A-Za-z_]+)$/\1/p' | sort)
[ "$exports" = "$(printf 'GetMatlabAPI\nTerminateMatlabAPI')" ] || fail "exports are not exactly GetMatlabAPI and TerminateMatlabAPI: $exports"

echo "$(basename "$dll"): $(wc -l <<<"$matlab") MATLAB imports as listed, KERNEL32 + $runtime_name ($(grep -cxE "$runtime" <<<"$dlls") DLLs), exports as listed"
