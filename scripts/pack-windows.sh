#!/usr/bin/env bash
# Packs a built kalvor.exe for Windows users: kalvor-windows.zip (the portable folder: the program, a
# short read-me and the licence of the font it carries) and kalvor-setup.exe (the per-user installer
# made by NSIS from resources/windows/kalvor.nsi), both in OUTPUT_FOLDER.
#   pack-windows.sh KALVOR_EXE OUTPUT_FOLDER
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program=$1
output="$(cd "$2" && pwd)"

staging="$(mktemp -d)"
trap 'rm -rf "$staging"' EXIT
mkdir "$staging/Kalvor"
x86_64-w64-mingw32-strip -o "$staging/Kalvor/kalvor.exe" "$program"
cp "$root/resources/windows/README.txt" "$root/resources/windows/PT-Sans-License.txt" "$staging/Kalvor/"
sed -i 's/$/\r/' "$staging/Kalvor/"*.txt  # Windows line ends

rm -f "$output/kalvor-windows.zip" "$output/kalvor-setup.exe"
(cd "$staging" && zip -q -r -X "$output/kalvor-windows.zip" Kalvor)
makensis -V2 -INPUTCHARSET UTF8 -DSOURCE="$staging/Kalvor" -DOUTFILE="$output/kalvor-setup.exe" \
  -DICON="$root/resources/kalvor.ico" "$root/resources/windows/kalvor.nsi" >/dev/null
echo "Packed $output/kalvor-windows.zip and $output/kalvor-setup.exe: kalvor.exe $(stat -c %s "$staging/Kalvor/kalvor.exe") bytes"
