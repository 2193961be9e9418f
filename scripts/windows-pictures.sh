#!/usr/bin/env bash
# Takes pictures of every window of the Windows program under Wine on a private virtual X server, for
# docs/pictures/windows/: the settings dialog, the calendar, the file-name dialog, a message box, the
# favourite colours, the colour chooser and the save question. Wine draws the window frames itself (no
# window manager). Then, in build-windows-release/pictures/, every dialog and message box in the six
# languages. The same again on displays of 120, 144 and 192 dpi (125, 150 and 200 %), in
# build-windows-release/pictures/dpi-N/, with copies magnified three times in their magnified/.
#   bash scripts/windows-pictures.sh [OUTPUT_FOLDER]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
output="${1:-$root/docs/pictures/windows}"
build="$root/build-windows-release"

for tool in Xvfb:xvfb xdotool:xdotool import:imagemagick; do
  command -v "${tool%%:*}" >/dev/null || apt-get install -y -q "${tool##*:}" >/dev/null
done
bash "$root/scripts/build-windows.sh" "$build" >/dev/null
mkdir -p "$output"

work="$(mktemp -d)"
display_number=""
for n in $(seq 160 199); do [ -e "/tmp/.X$n-lock" ] || { display_number=$n; break; }; done
export DISPLAY=":$display_number"
# Room for the calendar at 200 %: 2408 x 1504 pixels and its frame.
Xvfb "$DISPLAY" -screen 0 2600x1700x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
prefix="$build/wine-prefix-x11"
cleanup() {
  for used in "$build"/wine-prefix-x11*/; do WINEPREFIX="${used%/}" /usr/lib/wine/wineserver -k 2>/dev/null || true; done
  kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sleep 0.5

start() {  # folder: runs the program from there in the background
  cp "$build/kalvor.exe" "$1/"
  (cd "$1" && KALVOR_WINE_DISPLAY=x11 bash "$root/scripts/wine-run.sh" "$prefix" ./kalvor.exe &)
}
window() {  # caption: waits for it and gives its X window
  timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | tail -1
}
shoot() {  # caption, file
  local id
  id="$(window "$1")"
  sleep 1
  import -window "$id" "$output/$2"
  echo "wrote $output/$2"
}
keys() {  # caption, keys...: typed into that window
  local id
  id="$(window "$1")"
  shift
  xdotool windowfocus "$id" 2>/dev/null || true
  sleep 0.3
  xdotool key "$@"
  sleep 0.5
}
# Clicks at client pixel (x, y) of a window whose client area is width x height, all in the program's
# pixels, which the display's scale ($dpi) enlarges: Wine's frame is the rest.
click_client() {  # caption, client width, client height, x, y
  local id geometry width height
  id="$(window "$1")"
  geometry="$(xdotool getwindowgeometry --shell "$id")"
  width="$(echo "$geometry" | sed -n 's/^WIDTH=//p')"
  height="$(echo "$geometry" | sed -n 's/^HEIGHT=//p')"
  local border=$(((width - $2 * dpi / 96) / 2))
  xdotool mousemove --window "$id" $((border + $4 * dpi / 96)) $((height - border - ($3 - $5) * dpi / 96)) click 1
}

# Every window as a user meets it, on a display of `dpi` dots per inch, into `output`.
x11_pictures() {  # dpi, output folder
  dpi=$1
  output=$2
  prefix="$build/wine-prefix-x11-$dpi"
  [ "$dpi" = 96 ] && prefix="$build/wine-prefix-x11"
  export KALVOR_WINE_DPI=$dpi
  mkdir -p "$output"
  # The first run: the settings dialog, in Spanish.
  rm -rf "$work/first" && mkdir -p "$work/first"
  start "$work/first"
  shoot "Kalvor" settings-dialog.png
  keys Kalvor alt+F4
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true

  # The calendar: March to August 2026 in English, square days, some of them marked.
  rm -rf "$work/calendar" && mkdir -p "$work/calendar"
  python3 - "$work/calendar" <<'PY'
import struct, sys
folder, settings_id = sys.argv[1], 424242
with open(folder + "/settings.log", "wb") as f:
    f.write(struct.pack("<8i", 3, 8, 27, 27, 1, 6, 5, settings_id))
marks = {(1, 5): 0xC0C0C0, (1, 6): 0xC0C0C0, (2, 14): 0x3366CC, (4, 21): 0x00C000, (6, 9): 0xC0C0C0}
with open(folder + "/mark.log", "wb") as f:
    for slot in range(1, 7):
        for day in range(1, 32):
            colour = marks.get((slot, day), 0xFFFFFF)
            f.write(struct.pack("<6h2i2hI", 0, 0, 0, 0, 0, 0, int(colour != 0xFFFFFF), settings_id, slot, day, colour))
PY
  start "$work/calendar"
  shoot "Kalvor" main-window.png
  keys Kalvor F10 Down Down Return                           # Operations, Bitmap
  shoot "File operation" file-name-dialog.png
  click_client "File operation" 353 109 307 85                 # Accept with no name
  shoot "Programmer" message-box.png
  keys Programmer Return
  keys "File operation" alt+F4
  keys Kalvor F10 Right Down Return                          # Colors, My favorite colors
  shoot "Your favorite colors load them and save them" colour-dialog.png
  click_client "Your favorite colors load them and save them" 350 357 74 49
  shoot "Color" colour-chooser.png
  keys Color Return                                           # the grey it offers: the palette has changed
  click_client "Your favorite colors load them and save them" 350 357 308 340   # Get out
  shoot "Programmer" question.png
  keys Programmer Return
  WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
}

x11_pictures 96 "$output"
review="$build/pictures"
for dpi in 120 144 192; do
  x11_pictures "$dpi" "$review/dpi-$dpi"
  mkdir -p "$review/dpi-$dpi/magnified"
  for picture in "$review/dpi-$dpi"/*.png; do
    convert "$picture" -scale 300% "$review/dpi-$dpi/magnified/$(basename "$picture")"
  done
done

# Every dialog and message box in the six languages, taken by the program's own automation in a prefix
# without a display, at each scale, with copies magnified three times.
cmake --build "$build" -j 2 --target kalvor_readme_pictures >/dev/null
for dpi in 96 120 144 192; do
  folder="$review"
  automation_prefix="$build/wine-prefix"
  if [ "$dpi" != 96 ]; then
    folder="$review/dpi-$dpi"
    automation_prefix="$build/wine-prefix-$dpi"
  fi
  mkdir -p "$folder/readme" "$folder/magnified"
  KALVOR_WINE_DPI=$dpi bash "$root/scripts/wine-run.sh" "$automation_prefix" "$build/kalvor_readme_pictures.exe" \
    "Z:${folder//\//\\}\\readme" "Z:${folder//\//\\}" >/dev/null
  for picture in "$folder"/*.png; do
    convert "$picture" -scale 300% "$folder/magnified/$(basename "$picture")"
  done
  echo "every window in the six languages at $dpi dpi in $folder, magnified in $folder/magnified"
done
