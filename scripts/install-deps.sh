#!/usr/bin/env bash
# Installs what Kalvor needs on Debian 12, and only what is missing.
#   install-deps.sh            everything: the program, its tests, benchmarks and fuzzing (scripts/test.sh)
#   install-deps.sh --program  the program alone: building it and running it (scripts/run.sh)
set -euo pipefail

program_packages=(
  build-essential cmake                 # compiler, make and CMake
  qt6-base-dev                          # Qt 6 Widgets, the windowing toolkit
  qt6-translations-l10n                 # Qt's own texts (the colour chooser) in the program's languages
  libxcb1-dev                           # window-manager hints for the frame buttons
  fonts-dejavu-core fonts-dejavu-extra  # DejaVu Sans Condensed stands in for Tahoma
  fonts-paratype                        # PT Sans stands in for MS Sans Serif
  xvfb xauth                            # a virtual X server where there is no display
)

test_packages=(
  libgtest-dev libgmock-dev googletest  # unit and end-to-end tests
  libbenchmark-dev                      # speed benchmarks
  clang libclang-rt-14-dev              # fuzzing
  util-linux                            # setpriv, for the permission tests
  desktop-file-utils                    # checks the desktop entry
  libx11-dev                            # the start-up benchmark watches the window appear
  mingw-w64-x86-64-dev                  # Windows headers: the portable headers are checked against them
  python3-pyatspi at-spi2-core dbus-daemon  # a screen reader's reading of the calendar (AT-SPI)
)

packages=("${program_packages[@]}")
if [ "${1:-}" != --program ]; then
  packages+=("${test_packages[@]}")
fi
bash "$(dirname "${BASH_SOURCE[0]}")/install-packages.sh" "${packages[@]}"
