#!/usr/bin/env bash
# Start-up with a 1 GB (sparse) "mark.log" against start-up with a small one, in the same run: time
# from exec to the first painted window and peak memory, median of RUNS each, under a private Xvfb.
# No save writes 1 GB, so its first window is the format message; the small file is one of a wrong
# length too (29 bytes), so both runs show the same window first.
#   bash scripts/bench-big-marks.sh [RUNS]      (default 9)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-9}"

bash "$root/scripts/install-deps.sh"
build="$root/build-release"
bash "$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DKALVOR_TESTS=OFF >/dev/null

normal="$(mktemp -d)"
big="$(mktemp -d)"
cleanup() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$normal" "$big"
}
trap cleanup EXIT

for folder in "$normal" "$big"; do
  cp "$build/kalvor" "$folder/kalvor"
  python3 "$root/scripts/twenty-months.py" "$folder"
done
truncate -s 29 "$normal/mark.log"
truncate -s 1G "$big/mark.log"

for n in $(seq 120 160); do [ -e "/tmp/.X$n-lock" ] || { display_number=$n; break; }; done
Xvfb ":$display_number" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 0.5

# The "peer" here is Kalvor itself beside the 1 GB file; the ratio printed is small / 1 GB.
DISPLAY=":$display_number" "$build/bench/kalvor_startup_bench" \
  --kalvor="$normal/kalvor" --folder="$normal" --peer="$big/kalvor" --runs="$runs"

# The same under Wine, when a Windows build is given (KALVOR_WINDOWS_EXE=path/to/kalvor.exe).
if [ -n "${KALVOR_WINDOWS_EXE:-}" ]; then
  prefix="$(dirname "$KALVOR_WINDOWS_EXE")/wine-prefix-x11"
  for folder in "$normal" "$big"; do
    cp "$KALVOR_WINDOWS_EXE" "$folder/kalvor.exe"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "%s/kalvor.exe"\n' "$folder" > "$folder/kalvor-wine"
    chmod +x "$folder/kalvor-wine"
  done
  export DISPLAY=":$display_number" WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
  KALVOR_WINE_DISPLAY=x11 bash "$root/scripts/wine-run.sh" "$prefix" cmd /c exit
  # Windows Wine leaves unmanaged are override-redirect, which the measurement does not watch.
  bash "$root/scripts/wine-run.sh" "$prefix" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f \
    >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -p || true  # kept running, so each run measures the program, not Wine's start
  "$build/bench/kalvor_startup_bench" --kalvor="$normal/kalvor-wine" --folder="$normal" \
    --peer="$big/kalvor-wine" --runs="$runs"
  /usr/lib/wine/wineserver -k || true
fi
