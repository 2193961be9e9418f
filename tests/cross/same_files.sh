#!/usr/bin/env bash
# Files written by the Linux build are read by the Windows build with the same result, and the other
# way round; both builds' bitmaps of the same calendar are identical where fonts do not enter.
#   same_files.sh LINUX_BUILD_FOLDER WINDOWS_BUILD_FOLDER
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
linux_tool="$1/tests/kalvor_file_exchange"
windows_tool="$2/tests/kalvor_file_exchange.exe"
wine=(bash "$root/scripts/wine-run.sh" "$2/wine-prefix")

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/linux" "$work/windows"
QT_QPA_PLATFORM=offscreen "$linux_tool" write "$work/linux/"
"${wine[@]}" "$windows_tool" write "Z:$work/windows/"

status=0
same() {  # what, file A, file B
  if cmp -s "$2" "$3"; then echo "same: $1"; else echo "DIFFERENT: $1"; status=1; fi
}
# Each folder read by each build.
for folder in linux windows; do
  QT_QPA_PLATFORM=offscreen "$linux_tool" read "$work/$folder/" >"$work/$folder-read-by-linux.txt"
  "${wine[@]}" "$windows_tool" read "Z:$work/$folder/" | tr -d '\r' >"$work/$folder-read-by-windows.txt"
  same "files of the $folder build, as each build shows them" "$work/$folder-read-by-linux.txt" \
    "$work/$folder-read-by-windows.txt"
done
same "what each build shows of its own files" "$work/linux-read-by-linux.txt" "$work/windows-read-by-windows.txt"

# The files themselves: the favourites byte for byte; settings and marks but for the random settingsId.
same "Mis Colores.log" "$work/linux/Mis Colores.log" "$work/windows/Mis Colores.log"
same "settings.log without its settingsId" <(head -c 28 "$work/linux/settings.log") \
  <(head -c 28 "$work/windows/settings.log")
without_ids() { python3 -c 'import sys; d=bytearray(open(sys.argv[1],"rb").read())
for at in range(16, len(d), 28): d[at:at+4] = b"\0\0\0\0"
sys.stdout.buffer.write(d)' "$1"; }
same "mark.log without its settingsId stamps" <(without_ids "$work/linux/mark.log") \
  <(without_ids "$work/windows/mark.log")
echo -n "exchange.bmp: "
QT_QPA_PLATFORM=offscreen "$linux_tool" compare "$work/linux/exchange.bmp" "$work/windows/exchange.bmp" || status=1
exit "$status"
