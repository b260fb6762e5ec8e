#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need.
# Idempotent: packages already present are not asked for again.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-tidy clang-format cppcheck libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 mingw-w64-tools binutils-mingw-w64-x86-64
  wine wine64 xvfb x11-utils imagemagick xdotool unzip fonts-crosextra-carlito
  llvm lld osslsigncode openssl strip-nondeterminism
  python3
)
# GNU Octave: the MEX runtime the adapter checks run in, and the interpreter that reads the
# refresh command in the interpreter tests and the demo; its recommended packages (a GUI,
# documentation) are not needed.
octave_packages=(octave octave-dev)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
missing_octave=()
for p in "${octave_packages[@]}"; do
  installed "$p" || missing_octave+=("$p")
done

if [ $((${#missing[@]} + ${#missing_octave[@]})) -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || { echo "install-deps: run as root to install: ${missing[*]} ${missing_octave[*]}" >&2; exit 1; }
  echo "install-deps: installing ${missing[*]} ${missing_octave[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  [ ${#missing[@]} -eq 0 ] || apt-get install -y -qq "${missing[@]}" >/dev/null
  [ ${#missing_octave[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing_octave[@]}" >/dev/null
fi
