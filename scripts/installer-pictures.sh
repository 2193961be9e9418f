#!/usr/bin/env bash
# Takes the Windows notes' pictures of what the installer and the window icon look like under Wine, on a
# private virtual X server: the calendar's caption with Kalvor's icon (magnified three times) and the
# uninstaller's page that offers to remove the user's files.
#   bash scripts/installer-pictures.sh [OUTPUT_FOLDER]     (default: docs/pictures/windows)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
output="${1:-$root/docs/pictures/windows}"
build="$root/build-windows-release"

for tool in Xvfb:xvfb xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" >/dev/null || apt-get install -y -q "${tool##*:}" >/dev/null
done
work="$(mktemp -d)"
bash "$root/scripts/build-windows.sh" "$work" >/dev/null
mkdir -p "$output"

for n in $(seq 160 199); do [ -e "/tmp/.X$n-lock" ] || break; done
export DISPLAY=":$n"
Xvfb "$DISPLAY" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
prefix="$work/wine-prefix"
cleanup() {
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sleep 0.5
wine() { LANG=C.UTF-8 KALVOR_WINE_DISPLAY=x11 bash "$root/scripts/wine-run.sh" "$prefix" "$@"; }
window() { timeout 60 xdotool search --sync --onlyvisible --name "^$1" 2>/dev/null | tail -1; }

wine "$work/kalvor-setup.exe" /S
installed="$(echo "$prefix"/drive_c/users/*/AppData/Local/Programs/Kalvor)"
# Two months in Spanish, as stored by an earlier run.
python3 -c 'import struct, sys; sys.stdout.buffer.write(struct.pack("<8i", 1, 2, 25, 25, 1, 2, 1, 424242))' \
  >"$installed/settings.log"
(wine "$installed/kalvor.exe" &)
id="$(window 'Kalvor$')"
sleep 1
import -window "$id" "$work/calendar.png"
convert "$work/calendar.png" -crop 300x40+0+0 +repage -scale 300% "$output/caption-icon.png"
echo "wrote $output/caption-icon.png"

# Kalvor stays open meanwhile: only the uninstaller's first page is taken.
(wine "$installed/uninstall.exe" &)
id="$(window "Kalvor Uninstall")"
sleep 2
import -window "$id" "$output/uninstall-page.png"
echo "wrote $output/uninstall-page.png"
