#!/usr/bin/env bash
# Installs what Kalvor needs to build, test and run on Debian 12, and only what is missing.
set -euo pipefail

packages=(
  build-essential cmake                 # compiler, make, CMake and CTest
  qt6-base-dev                          # Qt 6 Widgets, the windowing toolkit
  libgtest-dev libgmock-dev googletest  # unit and end-to-end tests
  libbenchmark-dev                      # speed benchmarks
  fonts-dejavu-core fonts-dejavu-extra  # DejaVu Sans Condensed stands in for Tahoma
  fonts-paratype                        # PT Sans stands in for MS Sans Serif
  xvfb xauth                            # a virtual X server where there is no display
  clang libclang-rt-14-dev              # fuzzing
  util-linux                            # setpriv, for the permission tests
  desktop-file-utils                    # checks the desktop entry
  libx11-dev                            # the start-up benchmark watches the window appear
  libxcb1-dev                           # window-manager hints for the frame buttons
  mingw-w64-x86-64-dev                  # Windows headers: the portable headers are checked against them
  python3-pyatspi at-spi2-core dbus-daemon  # a screen reader's reading of the calendar (AT-SPI)
)

bash "$(dirname "${BASH_SOURCE[0]}")/install-packages.sh" "${packages[@]}"
