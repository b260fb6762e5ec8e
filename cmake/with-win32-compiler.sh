#!/bin/sh
# Compiler and linker launcher: runs the command of the posix thread model MinGW-w64 compiler
# (the tool chain's) with its win32 thread model sibling instead, same arguments.
compiler=$1
shift
exec "${compiler%-posix}-win32" "$@"
