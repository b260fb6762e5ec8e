#!/usr/bin/env bash
# Checks the built QvMatlabSetPath.exe: a 64-bit GUI-subsystem PE with its manifest and version
# resource, on the UCRT (api-ms-win-crt-*.dll, no msvcrt.dll) and importing no MinGW runtime DLL.
set -euo pipefail
exe=$1
objdump=x86_64-w64-mingw32-objdump
fail() { echo "FAIL: $*" >&2; exit 1; }

headers=$($objdump -p "$exe")
grep -q 'file format pei-x86-64' <<<"$headers" || fail "not a PE32+ image"
grep -Eq '^Subsystem[[:space:]]+0+2[[:space:]]' <<<"$headers" || fail "not the Windows GUI subsystem"
if grep -Ei 'DLL Name: (libgcc|libstdc|libwinpthread)' <<<"$headers"; then fail "imports a MinGW runtime DLL"; fi
dlls=$(grep -E 'DLL Name:' <<<"$headers" | awk '{ print tolower($3) }')
if grep -E '^(msvcr.*|ucrtbase)\.dll$' <<<"$dlls"; then fail "imports a C runtime other than the UCRT's api-ms-win-crt-* DLLs"; fi
grep -qE '^api-ms-win-crt-heap-l1-1-0\.dll$' <<<"$dlls" || fail "not on the UCRT (no api-ms-win-crt-heap-l1-1-0.dll)"

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
# The manifest is stored as plain bytes in the resource section.
grep -aq 'Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$exe" || fail "manifest lacks common controls v6"
grep -aq 'level="asInvoker" uiAccess="false"' "$exe" || fail "manifest lacks asInvoker without UI access"
grep -aq '<dpiAware[^>]*>true</dpiAware>' "$exe" || fail "manifest is not DPI aware"
grep -q 'RT_MANIFEST' <<<"$resources" || fail "no manifest resource"
grep -q 'VERSIONINFO' <<<"$resources" || fail "no version resource"
grep -q 'VALUE "FileVersion", "1.0.11.41"' <<<"$resources" || fail "wrong FileVersion"
grep -A2 'Type: group icon' <<<"$resources" | grep -q 'Name: 128' || fail "no icon group 128"
echo "QvMatlabSetPath.exe: PE32+, GUI subsystem, UCRT, manifest, version resource and icon 128 present"
