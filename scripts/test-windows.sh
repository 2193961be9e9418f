#!/usr/bin/env bash
# Installs what is missing, cross-builds the Windows program and its tests into build-windows/ (or the
# folder given first) and runs every test under Wine, without a display (Wine's null driver).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-windows}"
shift || true

bash "$root/scripts/install-windows-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKALVOR_BACKEND=win32 "$@" \
  >/dev/null
cmake --build "$build" -j 2

status=0
(cd "$build" && ctest --output-on-failure -j 2) || status=$?
# Wine's server of the test prefix would otherwise linger for a few seconds after the last test.
WINEPREFIX="$build/wine-prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
exit "$status"
