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
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All build, test and run dependencies are installed."
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Installing packages needs root: run this as root (for example with sudo)." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
