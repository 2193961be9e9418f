#!/usr/bin/env bash
# The Windows build's speed under Wine beside the Linux build's, in the same run: the drawing and click
# benchmarks (Google Benchmark, cross-built from Debian's source package), then exec to the main
# window's first painted frame and peak memory, 20 months with a full marks file, under a private Xvfb.
# Then the Windows build on a display of 144 dpi (150 %) against 96 dpi: a click in the real view, and
# the start-up.
#   bash scripts/bench-windows.sh [RUNS]      (start-up runs per program, default 9)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-9}"
toolchain="$root/cmake/mingw-w64.cmake"
benchmark="$root/build-windows-benchmark-lib"
build="$root/build-windows-bench"
linux="$root/build-release"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/install-windows-deps.sh"

# Google Benchmark for Windows, from Debian's source package (apt-get source needs a deb-src entry).
if [ ! -f "$benchmark/install/lib/cmake/benchmark/benchmarkConfig.cmake" ]; then
  if ! grep -rqs '^Types: deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      >/etc/apt/sources.list.d/kalvor-debian-src.sources
    apt-get update -q >/dev/null
  fi
  mkdir -p "$benchmark"
  (cd "$benchmark" && apt-get source -q benchmark >/dev/null 2>&1)
  source_folder="$(find "$benchmark" -maxdepth 1 -type d -name 'benchmark-*' | head -1)"
  cmake -S "$source_folder" -B "$benchmark/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF \
    -DGIT_VERSION=1.7.1 -DHAVE_STD_REGEX=1 -DHAVE_STEADY_CLOCK=1 \
    -DCMAKE_INSTALL_PREFIX="$benchmark/install" >/dev/null
  cmake --build "$benchmark/build" -j 2 --target install >/dev/null
fi

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DKALVOR_BACKEND=win32 -DCMAKE_BUILD_TYPE=Release \
  -DKALVOR_TESTS=OFF -Dbenchmark_DIR="$benchmark/install/lib/cmake/benchmark" >/dev/null
cmake --build "$build" -j 2 --target kalvor kalvor_bench
cmake -S "$root" -B "$linux" -DCMAKE_BUILD_TYPE=Release -DKALVOR_TESTS=OFF >/dev/null
cmake --build "$linux" -j 2 --target kalvor kalvor_bench kalvor_startup_bench

echo "== drawing and clicking, Linux (Qt)"
"$linux/bench/kalvor_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== drawing and clicking, Windows under Wine"
bash "$root/scripts/wine-run.sh" "$build/wine-prefix" "$build/bench/kalvor_bench.exe" \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== a click through the real view, Windows under Wine at 150 % (144 dpi)"
KALVOR_WINE_DPI=144 bash "$root/scripts/wine-run.sh" "$build/wine-prefix-144" "$build/bench/kalvor_bench.exe" \
  --benchmark_filter='ClickOnADayInTheView|EnlargeTheCalendar' --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true

# Start-up: both programs in one folder with the same files, on one virtual display.
folder="$(mktemp -d)"
display_number=""
for n in $(seq 120 160); do [ -e "/tmp/.X$n-lock" ] || { display_number=$n; break; }; done
prefix="$build/wine-prefix-x11"
scaled_prefix="$build/wine-prefix-x11-144"
cleanup() {
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX="$scaled_prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT
cp "$linux/kalvor" "$build/kalvor.exe" "$folder/"
python3 "$root/scripts/twenty-months.py" "$folder"
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 2400x1600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 0.5
# The prefix is made once, and its server kept running, so each run measures the program, not Wine's
# start-up of a new prefix. Wine manages its windows here (no window manager is needed to see them).
for made in "$prefix:96" "$scaled_prefix:144"; do
  KALVOR_WINE_DPI="${made##*:}" KALVOR_WINE_DISPLAY=x11 bash "$root/scripts/wine-run.sh" "${made%:*}" cmd /c exit
  WINEPREFIX="${made%:*}" "$root/scripts/wine-run.sh" "${made%:*}" reg delete 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /f >/dev/null 2>&1 || true
done
# The locale that scripts/wine-run.sh gives Wine, for the runs started here without it.
export WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
/usr/lib/wine/wineserver -p || true  # already running since the prefix was made
echo "== start-up: Linux (Qt) as Kalvor, Windows under Wine as the peer"
"$linux/bench/kalvor_startup_bench" --kalvor="$folder/kalvor" --folder="$folder" \
  --peer="/usr/lib/wine/wine64 $folder/kalvor.exe" --runs="$runs"

echo "== start-up of the Windows build under Wine: at 100 % as Kalvor, at 150 % (144 dpi) as the peer"
# One word for the benchmark's command: a script that becomes Wine in the 96-dpi prefix.
at100="$folder/kalvor-at-100.sh"
printf '#!/bin/sh\nexec env WINEPREFIX=%s /usr/lib/wine/wine64 %s\n' "$prefix" "$folder/kalvor.exe" >"$at100"
chmod +x "$at100"
WINEPREFIX="$scaled_prefix" /usr/lib/wine/wineserver -p || true
"$linux/bench/kalvor_startup_bench" --kalvor="$at100" --folder="$folder" \
  --peer="env WINEPREFIX=$scaled_prefix /usr/lib/wine/wine64 $folder/kalvor.exe" --runs="$runs"
