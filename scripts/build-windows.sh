#!/usr/bin/env bash
# Cross-builds the Windows program on Debian 12 (installing what is missing) and packs it:
# kalvor-windows.zip holds kalvor.exe, one static program that needs only Windows' own DLLs, and a short
# read-me. Kalvor keeps its data files beside itself, so the unpacked folder is a portable install.
#   bash scripts/build-windows.sh [OUTPUT_FOLDER]      (default: the project's root)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
output="${1:-$root}"
build="$root/build-windows-release"

bash "$root/scripts/install-windows-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKALVOR_BACKEND=win32 \
  -DCMAKE_BUILD_TYPE=Release -DKALVOR_TESTS=OFF -DKALVOR_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j 2 --target kalvor

staging="$(mktemp -d)"
trap 'rm -rf "$staging"' EXIT
mkdir "$staging/Kalvor"
x86_64-w64-mingw32-strip -o "$staging/Kalvor/kalvor.exe" "$build/kalvor.exe"
cp "$root/resources/windows/README.txt" "$staging/Kalvor/README.txt"
sed -i 's/$/\r/' "$staging/Kalvor/README.txt"  # Windows line ends
rm -f "$output/kalvor-windows.zip"
(cd "$staging" && zip -q -r -X "$output/kalvor-windows.zip" Kalvor)

echo "Built $output/kalvor-windows.zip: kalvor.exe $(stat -c %s "$staging/Kalvor/kalvor.exe") bytes, importing"
x86_64-w64-mingw32-objdump -p "$staging/Kalvor/kalvor.exe" | awk '/DLL Name/ { print "  " $3 }'
