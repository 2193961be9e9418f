#!/usr/bin/env bash
# Cross-builds the Windows program on Debian 12 (installing what is missing) and packs it:
# kalvor-windows.zip holds kalvor.exe, one static program that needs only Windows' own DLLs, a short
# read-me and the licence of the font it carries. Kalvor keeps its data files beside itself, so the
# unpacked folder is a portable install. kalvor-setup.exe installs the same for the current user, without
# administrator rights, with a Start-menu entry and an uninstaller (scripts/pack-windows.sh).
#   bash scripts/build-windows.sh [OUTPUT_FOLDER]      (default: the project's root)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
output="${1:-$root}"
build="$root/build-windows-release"

bash "$root/scripts/install-windows-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKALVOR_BACKEND=win32 \
  -DCMAKE_BUILD_TYPE=Release -DKALVOR_TESTS=OFF -DKALVOR_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j 2 --target kalvor

bash "$root/scripts/pack-windows.sh" "$build/kalvor.exe" "$output"

echo "kalvor.exe imports"
x86_64-w64-mingw32-objdump -p "$build/kalvor.exe" | awk '/DLL Name/ { print "  " $3 }'
