#!/usr/bin/env bash
# The per-user installer as a Windows user meets it, under Wine: "kalvor-setup.exe /S" puts Kalvor in
# the user's AppData\Local\Programs\Kalvor with a Start-menu shortcut and an entry under Apps; the
# installed Kalvor, started from another folder, records its marks beside itself and nowhere else; the
# silent uninstaller removes the program, the shortcut and the entry and keeps the user's files.
#   installer_test.sh KALVOR_EXE KALVOR_REMOTE_EXE WINE_PREFIX
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../.." && pwd)"
program=$1 remote=$2 prefix=$3
command -v makensis >/dev/null || { echo "NSIS is missing: scripts/install-windows-deps.sh installs it"; exit 77; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
run() { LANG=C.UTF-8 KALVOR_WINE_TIMEOUT=120 bash "$root/scripts/wine-run.sh" "$prefix" "$@"; }
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvor'

bash "$root/scripts/pack-windows.sh" "$program" "$work"
# A fresh prefix each run: nothing left from an earlier install.
rm -rf "$prefix" "$prefix.lock"
run "$work/kalvor-setup.exe" /S

shopt -s nullglob
installs=("$prefix"/drive_c/users/*/AppData/Local/Programs/Kalvor)
[ ${#installs[@]} -eq 1 ] || { echo "FAILED: no AppData\\Local\\Programs\\Kalvor after /S"; exit 1; }
installed=${installs[0]}
for file in kalvor.exe uninstall.exe README.txt PT-Sans-License.txt; do
  [ -f "$installed/$file" ] || fail "$file was not installed"
done
x86_64-w64-mingw32-strip -o "$work/expected.exe" "$program"
# Stripping stamps the time into the header: the two may differ there, in at most four bytes.
differing="$( (cmp -l "$work/expected.exe" "$installed/kalvor.exe" 2>&1 || true) | awk '$1 > 512 || NF != 3 { far++ } END { print NR, far + 0 }')"
[ "${differing#* }" = 0 ] && [ "${differing% *}" -le 4 ] || fail "the installed kalvor.exe is not the program built"
shortcuts=("$prefix"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/Kalvor.lnk)
[ ${#shortcuts[@]} -eq 1 ] || fail "no Start-menu shortcut"
entry="$(run reg query "$key" 2>/dev/null | tr -d '\r')"
grep -Eq 'DisplayName +REG_SZ +Kalvor$' <<<"$entry" || fail "no uninstall entry named Kalvor: $entry"
grep -Eq 'UninstallString +REG_SZ +"C:\\users\\[^\\]+\\AppData\\Local\\Programs\\Kalvor\\uninstall.exe"$' <<<"$entry" ||
  fail "the uninstall entry does not name the installed uninstaller: $entry"
grep -Eq 'QuietUninstallString +REG_SZ +.*uninstall.exe" /S$' <<<"$entry" || fail "no silent uninstall command"

# Settings for two months in English, as an earlier run would have stored them; Kalvor started from
# another folder, Record, then Get out.
python3 -c 'import struct, sys; sys.stdout.buffer.write(struct.pack("<8i", 1, 2, 25, 25, 1, 2, 5, 424242))' \
  >"$installed/settings.log"
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && run "$installed/kalvor.exe") &
kalvor=$!
run "$remote" 1033 1026 || fail "the installed Kalvor did not take Record and Get out"
wait "$kalvor" || fail "the installed Kalvor ended with an error"
# One 28-byte record per day cell, 31 cells a month: 1736 bytes for two months.
[ "$(stat -c %s "$installed/mark.log" 2>/dev/null)" = 1736 ] || fail "Record wrote no full mark.log beside kalvor.exe"
strays="$(find "$prefix/drive_c" "$work" -name mark.log -not -path "$installed/mark.log")"
[ -z "$strays" ] || fail "Record wrote elsewhere too: $strays"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "Kalvor wrote into the folder it was started from"

# The silent uninstaller runs a copy of itself and returns at once: wait for it to finish.
run "$installed/uninstall.exe" /S
for _ in $(seq 60); do
  [ -e "$installed/kalvor.exe" ] || [ -e "$installed/uninstall.exe" ] || break
  sleep 0.5
done
for file in kalvor.exe uninstall.exe README.txt PT-Sans-License.txt; do
  [ ! -e "$installed/$file" ] || fail "the uninstaller left $file"
done
[ ! -e "${shortcuts[0]:-/nonexistent}" ] || fail "the uninstaller left the Start-menu shortcut"
! run reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left the uninstall entry"
for file in mark.log settings.log; do
  [ -f "$installed/$file" ] || fail "the silent uninstaller removed the user's $file"
done
[ "$(stat -c %s "$installed/mark.log" 2>/dev/null)" = 1736 ] || fail "mark.log changed on uninstalling"

WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
[ "$failures" -eq 0 ] && echo "installed, recorded beside itself, uninstalled keeping the user's files"
exit "$failures"
