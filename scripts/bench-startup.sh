#!/usr/bin/env bash
# Start-up benchmark: time from exec to the main window's first painted frame and peak memory, for
# Kalvor with a 20-month calendar and a full marks file, and for a peer calendar from Debian, under a
# private Xvfb. Usage (as root on a fresh machine, installs what is missing):
#   bash scripts/bench-startup.sh [RUNS]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-15}"
peer_package=gsimplecal

bash "$root/scripts/install-deps.sh"
for package in "$peer_package" python3; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    apt-get install -y -q "$package" >/dev/null
  fi
done

build="$root/build-release"
bash "$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DKALVOR_TESTS=OFF

folder="$(mktemp -d)"
display_number=""
cleanup() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT

cp "$build/kalvor" "$folder/kalvor"
python3 "$root/scripts/twenty-months.py" "$folder"

for n in $(seq 120 160); do [ -e "/tmp/.X$n-lock" ] || { display_number=$n; break; }; done
Xvfb ":$display_number" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 0.5

DISPLAY=":$display_number" "$build/bench/kalvor_startup_bench" \
  --kalvor="$folder/kalvor" --folder="$folder" --peer="$peer_package" --runs="$runs"
