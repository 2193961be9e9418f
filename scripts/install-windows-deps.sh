#!/usr/bin/env bash
# Installs what the Windows build needs on Debian 12, and only what is missing: the MinGW-w64 cross
# compiler, Wine to run and test the program (with its recommends, which bring the fonts-wine package:
# Tahoma and MS Sans Serif), GoogleTest's sources to cross-build the tests, zip for the package, and
# Google Benchmark's Debian source package for the benchmarks.
set -euo pipefail

packages=(
  cmake                                          # the build
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64  # the cross compiler, windres and objdump
  mingw-w64-x86-64-dev                           # the Windows headers and libraries
  wine wine64                                    # running and testing the program
  googletest                                     # GoogleTest's sources, built for Windows with the tests
  dpkg-dev                                       # apt-get source unpacks Google Benchmark's sources
  zip                                            # kalvor-windows.zip
  util-linux                                     # flock, mount: the Wine prefix and the small disks
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Installing packages needs root: run this as root (for example with sudo)." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y "${missing[@]}"
fi
