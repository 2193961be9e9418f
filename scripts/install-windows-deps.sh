#!/usr/bin/env bash
# Installs what the Windows build needs on Debian 12, and only what is missing: the MinGW-w64 cross
# compiler, Wine to run and test the program (with its recommends, which bring the fonts-wine package:
# Tahoma and MS Sans Serif), GoogleTest's sources to cross-build the tests, zip and NSIS for the package
# and its installer, and Google Benchmark's Debian source package for the benchmarks.
set -euo pipefail

packages=(
  cmake                                          # the build
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64  # the cross compiler, windres and objdump
  mingw-w64-x86-64-dev                           # the Windows headers and libraries
  wine wine64                                    # running and testing the program
  googletest                                     # GoogleTest's sources, built for Windows with the tests
  dpkg-dev                                       # apt-get source unpacks Google Benchmark's sources
  zip                                            # kalvor-windows.zip
  nsis                                           # kalvor-setup.exe, the per-user installer
  fonts-paratype                                 # PT Sans Bold, which the program carries
  util-linux                                     # flock, mount: the Wine prefix and the small disks
)

# Wine's recommends bring fonts-wine: Tahoma and MS Sans Serif.
bash "$(dirname "${BASH_SOURCE[0]}")/install-packages.sh" --with-recommends "${packages[@]}"
