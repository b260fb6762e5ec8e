#!/usr/bin/env bash
# Static analysis of our sources: clang-tidy (checks in .clang-tidy; a lighter set in
# tests/.clang-tidy and testbed/.clang-tidy) and cppcheck. Any finding fails.
#
#   scripts/static-analysis.sh [FILE...]
#
# Without FILEs every source of refresh_tool/, matlab_api/, testbed/ and tests/ is analysed.
# The compile commands come from the test command's build trees, $QV_BUILD_DIR/host and
# $QV_BUILD_DIR/windows (QV_BUILD_DIR defaults to <repo>/build; a tree not there yet is
# configured, not built): the host tree for the portable sources, and the Windows cross tree
# for the Windows-only ones, which clang-tidy reads with the MinGW-w64 headers
# (--target=x86_64-w64-mingw32) and cppcheck with its Windows platform and library. The
# trees' precompiled headers (GCC's) are left out of the commands: the sources include what
# they use. Work files: $QV_BUILD_DIR/analysis.
# Prints "static-analysis clang-tidy: passed|FAILED ..." and the same for cppcheck.
set -uo pipefail
source "$(dirname "$0")/preamble.sh"
dir=$build/analysis
jobs=${QV_ANALYSIS_JOBS:-2}
mkdir -p "$dir"

for tree in host windows; do
  [ -f "$build/$tree/compile_commands.json" ] || qv_configure "$tree" "$build/$tree" ||
    { echo "static-analysis: configuring $tree failed"; exit 1; }
done

# Our C++ sources of a compile database, one per line.
sources_of() {
  sed -nE 's/^ *"file": *"(.*)",?$/\1/p' "$1" | grep -E "^$root/(refresh_tool|matlab_api|testbed|tests)/.*\.(cpp|cc|cxx)$" | sort -u
}
sources_of "$build/host/compile_commands.json" >"$dir/host.files"
sources_of "$build/windows/compile_commands.json" | grep -vxFf "$dir/host.files" >"$dir/windows.files"
if [ $# -gt 0 ]; then  # only the files asked for
  printf '%s\n' "$@" | xargs -n1 realpath >"$dir/wanted.files"
  for list in host windows; do
    grep -xFf "$dir/wanted.files" "$dir/$list.files" >"$dir/$list.tmp"; mv "$dir/$list.tmp" "$dir/$list.files"
  done
fi

# The Windows tree compiles some sources more than once (the program's own copy of the two
# libraries on the UCRT compiler, each adapter release, the stand-ins for several DLLs), and
# the host tree the adapter once per release: each analyser reads each listed source once,
# with its first compile command, from a database of those entries only, without the
# precompiled header.
one_entry_per_file() {  # one_entry_per_file TREE: $dir/TREE.db/compile_commands.json for $dir/TREE.files
  mkdir -p "$dir/$1.db"
  awk -v list="$dir/$1.files" '
    BEGIN { while ((getline f < list) > 0) wanted[f] = 1; print "[" }
    /^\{/ { entry = $0; next }
    /^ *"command": / { sub(/ -Winvalid-pch/, ""); sub(/ -include [^ ]*\/cmake_pch\.hxx/, "") }
    entry != "" { entry = entry "\n" $0 }
    /^ *"file": / { file = $0; sub(/^ *"file": *"/, "", file); sub(/",?$/, "", file) }
    /^\},?$/ { if (wanted[file] && !seen[file]++) { sub(/,$/, "", entry); printf "%s%s", (n++ ? ",\n" : ""), entry }
                entry = "" }
    END { print "\n]" }' "$build/$1/compile_commands.json" >"$dir/$1.db/compile_commands.json"
}
one_entry_per_file host
one_entry_per_file windows

# The cross compiler's libstdc++ and MinGW-w64 header folders, which clang does not find by
# itself for this target. GCC's own folders (its intrinsics) are left out: clang has its own.
mingw_includes=()
while read -r include; do
  mingw_includes+=("--extra-arg=-isystem$include")
done < <(x86_64-w64-mingw32-g++-posix -E -x c++ - -v </dev/null 2>&1 |
           sed -n '/#include <...> search starts here:/,/End of search list./p' | sed -n 's/^ //p' |
           grep -E '/include/c\+\+|mingw32/include$')

failed=0

# clang-tidy, file by file on $jobs cores; each file's findings are kept in its own log.
rm -rf "$dir/tidy" && mkdir -p "$dir/tidy"
tidy() {  # tidy BUILD_TREE EXTRA_ARGS... < FILES
  local tree=$1
  shift
  # Each log ends with clang-tidy's exit status, so that a file it could not analyse counts,
  # and its CPU time in clock ticks (user, sys: the children's times of the shell that waited).
  xargs -r -P "$jobs" -I{} sh -c '
      tree=$1 logs=$2 file=$3; shift 3
      log="$logs/$(echo "$file" | sed "s#^$0/##" | tr / _).log"
      clang-tidy --quiet -p "$tree" "$@" "$file" >"$log" 2>&1; echo "exit $?" >>"$log"
      set -- $(cut -d")" -f2- /proc/$$/stat); echo "cpu ${14} ${15}" >>"$log"' \
    "$root" "$dir/$tree.db" "$dir/tidy" {} "$@"
}
# The Wine test programs' own sources (tests/**/*_wine_test.cpp) are left to cppcheck and the
# compiler's warnings: they are mostly <windows.h> and GoogleTest to parse (about 105 s of
# CPU for 23 files), and a fault in them shows as a failing Windows test. Every other source,
# their helpers included, is read by clang-tidy too.
tidy host <"$dir/host.files"
grep -vE '/tests/.*_wine_test\.cpp$' "$dir/windows.files" |
  tidy windows --extra-arg=--target=x86_64-w64-mingw32 "${mingw_includes[@]}"
files=$(cat "$dir/host.files" "$dir/windows.files" | grep -cvE '/tests/.*_wine_test\.cpp$')
cat "$dir"/tidy/*.log 2>/dev/null | grep -E '^/.*:[0-9]+:[0-9]+: (warning|error):' | sort -u >"$dir/tidy.findings"
findings=$(wc -l <"$dir/tidy.findings")
unanalysed=$(grep -L '^exit 0$' "$dir"/tidy/*.log 2>/dev/null | wc -l)
# Where clang-tidy's time went: per top folder, and the slowest files.
for log in "$dir"/tidy/*.log; do
  echo "$(sed -n 's/^cpu //p' "$log") $(basename "$log" .log)"
done | sort -k1,1nr | awk -v tck="$(getconf CLK_TCK)" '
  NF == 3 { t = ($1 + $2) / tck; all += t; f = $3
            top = f ~ /^refresh_tool_/ ? "refresh_tool" : f ~ /^matlab_api_/ ? "matlab_api" : f ~ /^testbed_/ ? "testbed" : "tests"
            by[top] += t; if (n++ < 3) slowest = slowest sprintf(", %s %.0f s", f, t) }
  END { printf "static-analysis clang-tidy CPU %.0f s (", all
        for (top in by) printf "%s%s %.0f s", (k++ ? ", " : ""), top, by[top]
        printf "); slowest: %s\n", substr(slowest, 3) }'
if [ "$findings" -eq 0 ] && [ "$unanalysed" -eq 0 ]; then
  echo "static-analysis clang-tidy: passed ($files files)"
else
  sed "s#^$root/##" "$dir/tidy.findings"
  echo "static-analysis clang-tidy: FAILED ($findings findings in $files files, $unanalysed files not clean; logs: $dir/tidy)"
  failed=1
fi

# cppcheck over the same files: warnings, performance and portability (no style opinions).
cppcheck_run() {  # cppcheck_run BUILD_TREE FILE_LIST EXTRA_ARGS...
  local tree=$1 list=$2
  shift 2
  [ -s "$list" ] || return 0
  cppcheck --project="$dir/$tree.db/compile_commands.json" -i/usr/src/googletest --std=c++17 --quiet --inline-suppr \
    --enable=warning,performance,portability --library=googletest --error-exitcode=1 -j "$jobs" \
    --template='{file}:{line}:{column}: {severity}: {message} [{id}]' "$@" >"$dir/cppcheck-$tree.log" 2>&1
}
rm -f "$dir"/cppcheck-*.log
status=0
cppcheck_run host "$dir/host.files" || status=1
cppcheck_run windows "$dir/windows.files" --platform=win64 --library=windows -D_WIN32 -D_WIN64 || status=1
# A file cppcheck gave up on (an internal error, such as a definition it cannot read) was not
# analysed: that counts as a finding.
cat "$dir"/cppcheck-*.log 2>/dev/null | grep -E ':[0-9]+:[0-9]+: |^Bailing out' | sed "s#^$root/##" | sort -u >"$dir/cppcheck.findings"
findings=$(wc -l <"$dir/cppcheck.findings")
if [ "$findings" -eq 0 ] && [ "$status" -eq 0 ]; then
  echo "static-analysis cppcheck: passed ($(cat "$dir/host.files" "$dir/windows.files" | wc -l) files)"
else
  cat "$dir/cppcheck.findings"
  [ "$findings" -gt 0 ] || cat "$dir"/cppcheck-*.log
  echo "static-analysis cppcheck: FAILED ($findings findings)"
  failed=1
fi

[ "$failed" -eq 0 ]
