#!/bin/sh
# Runs one statement file in octave-cli for the interpreting matlab.exe stand-in, which
# starts this script through Wine (Wine gives a Windows program no handle of a Unix child, so
# the stand-in waits for STATEMENT.end, which holds Octave's exit status).
#   run-octave.sh TIMEOUT_SECONDS STATEMENT_FILE M_PATH
# --persist keeps Octave reading its input after the statement, and the input is a FIFO that
# never ends: like MATLAB -automation, Octave ends only through quit. At the time-out it is
# killed (it ignores SIGTERM while it waits) and the status is 137.
set -u
seconds=$1 file=$2 mpath=$3
fifo="$file.in"
mkfifo "$fifo" && exec 3<>"$fifo"
rm -f "$fifo"
timeout -s KILL "$seconds" octave-cli --norc --no-history --no-gui --no-window-system --persist --path "$mpath" "$file" \
  <&3 >"$file.out" 2>&1
status=$?
exec 3<&-
echo "$status" >"$file.end.tmp" && mv "$file.end.tmp" "$file.end"
