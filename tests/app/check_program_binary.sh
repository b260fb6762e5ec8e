#!/usr/bin/env bash
# Checks the built QvMatlabSetPath.exe: a 64-bit GUI-subsystem PE on the UCRT importing only the
# system DLLs it needs (tests/shared/check_pe.sh), with its manifest, icon and a version
# resource of the project's version.
# Usage: check_program_binary.sh EXE VERSION
set -euo pipefail
exe=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

# oleacc: the check list's accessible object.
bash "$(dirname "$0")/../shared/check_pe.sh" "$exe" --gui --runtime ucrt \
  --dlls 'advapi32\.dll|comctl32\.dll|gdi32\.dll|kernel32\.dll|ole32\.dll|oleacc\.dll|oleaut32\.dll|user32\.dll|uxtheme\.dll'

resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null)
# The manifest is stored as plain bytes in the resource section.
grep -aq 'Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$exe" || fail "manifest lacks common controls v6"
grep -aq 'level="asInvoker" uiAccess="false"' "$exe" || fail "manifest lacks asInvoker without UI access"
grep -aq '<dpiAware[^>]*>true</dpiAware>' "$exe" || fail "manifest is not DPI aware"
grep -q 'RT_MANIFEST' <<<"$resources" || fail "no manifest resource"
grep -q 'VERSIONINFO' <<<"$resources" || fail "no version resource"
grep -qF "VALUE \"FileVersion\", \"$version\"" <<<"$resources" || fail "FileVersion is not $version"
grep -A2 'Type: group icon' <<<"$resources" | grep -q 'Name: 128' || fail "no icon group 128"
echo "QvMatlabSetPath.exe: manifest, version resource $version and icon 128 present"
