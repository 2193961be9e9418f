#!/usr/bin/env bash
# Builds Kalvor and its tests into build/ (or the folder given as the first argument).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true

cmake -S "$root" -B "$build" "$@"
cmake --build "$build" -j "$(nproc)"
