#!/usr/bin/env bash
# The one check of a built PE file's tables, with the cross binutils; every binary check uses it.
#
#   check_pe.sh BINARY [--gui] [--runtime ucrt|msvcr90] [--dlls REGEX] [--import "DLL FUNCTION"]...
#               [--imports-from REGEX FILE] [--exports "NAME..."]
#
#  (always)        a PE32+ (x86-64) image that imports no MinGW runtime DLL (libgcc, libstdc++,
#                  libwinpthread)
#  --gui           the Windows GUI subsystem
#  --runtime R     the C runtime it is on, and no other: ucrt = api-ms-win-crt-*-l1-1-0.dll (never
#                  msvcrt.dll, msvcr*.dll or ucrtbase.dll), msvcr90 = MSVCR90.dll; malloc and free
#                  come from it
#  --dlls REGEX    allow-list: every imported DLL (lower case) matches REGEX or is the runtime's
#  --import "D F"  function F is imported from DLL D (lower case)
#  --imports-from REGEX FILE
#                  the imports from DLLs matching REGEX are exactly the "dll function" lines of FILE
#  --exports "N.." the export table holds exactly these names
# Prints "BINARY: ..." with what was checked, or "FAIL: BINARY: ..." and exits non-zero.
set -euo pipefail
binary=$1
shift
name=$(basename "$binary")
fail() { echo "FAIL: $name: $*" >&2; exit 1; }

headers=$(x86_64-w64-mingw32-objdump -p "$binary")
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a PE32+ image"
dlls=$(grep -E 'DLL Name:' <<<"$headers" | awk '{ print tolower($3) }' | sort -u)
# "DLL Name: x" starts a block; its rows are "  vma  hint  name".
imports=$(awk '/DLL Name:/ { dll = tolower($3); next }
               dll != "" && /^\t[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_]/ { print dll, $3 }
               /^$/ { if (dll != "" && seen) dll = ""; seen = 0 }
               dll != "" { seen = 1 }' <<<"$headers" | sort -u)
if grep -E '^(libgcc|libstdc|libwinpthread)' <<<"$dlls"; then fail "imports a MinGW runtime DLL"; fi
checked=("PE32+")

# The runtime first: the allow-list takes its DLLs, wherever --runtime stands.
runtime='(none)'
options=("$@")
for i in "${!options[@]}"; do
  [ "${options[i]}" != --runtime ] && continue
  case ${options[i + 1]:-} in
    ucrt) runtime='api-ms-win-crt-[a-z]+-l1-1-0\.dll' ;;
    msvcr90) runtime='msvcr90\.dll' ;;
    *) fail "unknown runtime ${options[i + 1]:-}" ;;
  esac
done
while [ $# -gt 0 ]; do
  case $1 in
    --gui)
      grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" || fail "not the Windows GUI subsystem"
      checked+=("GUI subsystem")
      shift ;;
    --runtime)
      grep -qxE "$runtime" <<<"$dlls" || fail "not on the runtime $2"
      others=$(grep -E '^(msvcr.*|msvcrt|ucrtbase|api-ms-win-crt-.*)\.dll$' <<<"$dlls" | grep -vxE "$runtime" || true)
      [ -z "$others" ] || fail "imports a C runtime other than $2: $others"
      # The C heap is the runtime's: operator new and delete must come from it.
      grep -qE "^($runtime) malloc$" <<<"$imports" && grep -qE "^($runtime) free$" <<<"$imports" ||
        fail "malloc/free not imported from $2"
      checked+=("C runtime $2")
      shift 2 ;;
    --dlls)
      extra=$(grep -vxE "$2|$runtime" <<<"$dlls" || true)
      [ -z "$extra" ] || fail "imports from DLLs outside the allow-list: $extra"
      checked+=("$(wc -l <<<"$dlls") DLLs allowed")
      shift 2 ;;
    --import)
      grep -qxF "$2" <<<"$imports" || fail "does not import $2"
      shift 2 ;;
    --imports-from)
      found=$(grep -E "^($2) " <<<"$imports" || true)
      expected=$(sort -u "$3")
      if [ "$found" != "$expected" ]; then
        diff <(echo "$expected") <(echo "$found") >&2 || true
        fail "imports from $2 differ from the list (< expected, > imported)"
      fi
      checked+=("$(wc -l <<<"$found") imports from $2 as listed")
      shift 3 ;;
    --exports)
      exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" |
        sed -nE 's/^[[:space:]]*\[[[:space:]]*[0-9]+\] ([A-Za-z_][A-Za-z_0-9]*)$/\1/p' | sort)
      [ "$exports" = "$(tr ' ' '\n' <<<"$2" | grep . | sort)" ] || fail "exports are not exactly $2: $exports"
      checked+=("exports $2")
      shift 2 ;;
    *) fail "unknown option $1" ;;
  esac
done
echo "$name: $(IFS=,; echo "${checked[*]}" | sed 's/,/, /g')"
