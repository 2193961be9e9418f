#!/usr/bin/env bash
# Takes pictures of the running program, offscreen: the README's (docs/pictures/*.png) and, to check
# every text by eye, the settings dialog, its refusal message, the file-name dialog, the colour dialog,
# its save question and a round-day calendar in each of the six languages, with copies magnified three
# times (build/pictures/ and build/pictures/magnified/, or the folder given).
# Then, under the openbox window manager on a private virtual X server, it shows what the windows ask
# of the window manager and where the colour chooser's frame stands from the colour dialog's, and saves
# the screen (openbox.png in the same folder). Exits non-zero when the chooser is misplaced.
#   bash scripts/readme-pictures.sh [REVIEW_FOLDER]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
review="${1:-$root/build/pictures}"

bash "$root/scripts/install-deps.sh"
# Magnified copies (ImageMagick) and the window manager check (openbox, xdotool, xprop).
for package in imagemagick openbox xdotool x11-utils; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$package" >/dev/null
  fi
done

cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target kalvor_readme_pictures
tool="$root/build/kalvor_readme_pictures"

QT_QPA_PLATFORM=offscreen "$tool" "$root/docs/pictures" "$review"
mkdir -p "$review/magnified"
for picture in "$review"/*.png; do
  convert "$picture" -scale 300% "$review/magnified/$(basename "$picture")"
done
echo "magnified copies in $review/magnified"

# Under a window manager.
for n in $(seq 160 200); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
Xvfb "$display" -screen 0 1400x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  kill "${openbox:-}" "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
sleep 0.5
DISPLAY="$display" openbox >/dev/null 2>&1 &
openbox=$!
sleep 0.5
DISPLAY="$display" "$tool" --frames &
frames=$!
# The tool holds the chooser open for two seconds once it has measured it.
if DISPLAY="$display" timeout 20 xdotool search --sync --onlyvisible --name 'Select Color' >/dev/null; then
  sleep 1
  DISPLAY="$display" import -window root "$review/openbox.png"
  echo "wrote $review/openbox.png"
  # _MOTIF_WM_HINTS: flags 0x3, then functions (0x4 move, 0x8 minimise, 0x20 close) and decorations
  # (0x2 border, 0x8 title, 0x10 window menu, 0x20 minimise button).
  for name in Kalvor 'Tus Colores Favoritos Cargalos y Guardalos'; do
    for window in $(DISPLAY="$display" xdotool search --onlyvisible --name "^$name\$"); do
      echo "$name: $(DISPLAY="$display" xprop -id "$window" _MOTIF_WM_HINTS)"
    done
  done
fi
wait "$frames"
