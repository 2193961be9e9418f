#!/usr/bin/env bash
# Installs what the program needs (and nothing for the tests), builds Kalvor alone and starts it. Its
# data files live beside the program, in build/: the same folder as the test command's, configured here
# without the tests and benchmarks (scripts/test.sh turns them on again).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
bash "$root/scripts/install-deps.sh" --program
cmake -S "$root" -B "$build" -DKALVOR_TESTS=OFF -DKALVOR_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kalvor

program="$build/kalvor"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set)."
  echo "Starting Kalvor on a virtual X server (Xvfb) instead: it runs, but nothing appears on this screen."
  exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" "$program"
fi
exec "$program"
