#!/usr/bin/env bash
# Installs what is missing, builds Kalvor and starts it. Its data files live beside the program, in build/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build"

program="$root/build/kalvor"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set)."
  echo "Starting Kalvor on a virtual X server (Xvfb) instead: it runs, but nothing appears on this screen."
  exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" "$program"
fi
exec "$program"
