#!/usr/bin/env bash
# Takes the README's pictures (docs/pictures/*.png) from the running program, offscreen.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target kalvor_readme_pictures
QT_QPA_PLATFORM=offscreen "$root/build/kalvor_readme_pictures" "$root/docs/pictures"
