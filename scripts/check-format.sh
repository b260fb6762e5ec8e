#!/usr/bin/env bash
# Checks every tracked C and C++ file against .clang-format with clang-format 14 (the
# version Debian 12 ships; another version may format differently). Changes nothing.
#
#   scripts/check-format.sh
#
# Prints "format clang-format: passed (N files)", or "format clang-format: FAILED (...)"
# followed by the files that differ, and then exits non-zero. A missing clang-format fails.
set -uo pipefail
source "$(dirname "$0")/preamble.sh"
cd "$root" || exit 1

tool=$(command -v clang-format-14 || command -v clang-format) ||
  { echo "format clang-format: FAILED (clang-format not found; scripts/install-deps.sh installs it)"; exit 1; }

mapfile -t files < <(git ls-files -- '*.c' '*.cc' '*.cpp' '*.cxx' '*.h' '*.hh' '*.hpp')
[ ${#files[@]} -gt 0 ] || { echo "format clang-format: FAILED (no tracked C or C++ files found)"; exit 1; }

differ=()
for file in "${files[@]}"; do
  "$tool" --style=file --dry-run --Werror "$file" >/dev/null 2>&1 || differ+=("$file")
done

if [ ${#differ[@]} -eq 0 ]; then
  echo "format clang-format: passed (${#files[@]} files)"
  exit 0
fi
echo "format clang-format: FAILED (${#differ[@]} of ${#files[@]} files differ from .clang-format; clang-format -i FILE fixes one)"
printf '  %s\n' "${differ[@]}"
exit 1
