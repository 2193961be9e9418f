#!/usr/bin/env bash
# Installs what is missing, builds Kalvor and runs every test. Windows are drawn off screen, so no X
# server is needed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KALVOR_BUILD_DIR:-$root/build}"
bash "$root/scripts/install-deps.sh"
# The run command may have configured the same folder without them.
bash "$root/scripts/build.sh" "$build" -DKALVOR_TESTS=ON -DKALVOR_BENCHMARKS=ON "$@"

cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
