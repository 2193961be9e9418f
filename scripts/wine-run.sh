#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own, made on first use: no display needed (the
# null graphics driver), the Windows fonts Debian ships with Wine, no prompts for Mono or Gecko, and a
# time limit. CTest runs every Windows test program through this.
#   wine-run.sh PREFIX_FOLDER PROGRAM.exe [ARGUMENTS...]
# KALVOR_WINE_DISPLAY=x11 makes a prefix that draws on $DISPLAY instead (for screenshots);
# KALVOR_WINE_DPI (96, 120, 144, 192...) makes a prefix whose display has that scale (LogPixels);
# KALVOR_WINE_TIMEOUT (seconds, default 600) bounds the run.
set -euo pipefail

prefix=$1
shift
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "Wine is missing: run scripts/install-windows-deps.sh" >&2; exit 1; }

export WINEPREFIX="$prefix"
# Wine turns Windows file names into Linux ones through the locale: in an ASCII one (LANG unset, as in a
# fresh Debian root) "Día señalado.bmp" cannot be made. C.UTF-8 is built into the C library; it also
# keeps Wine's own texts (message box buttons) in English whatever the caller's language.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"

# The first run makes the prefix; parallel test programs wait for it.
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/kalvor-ready" ]; then
  rm -rf "$prefix"
  timeout 120 "$wine" wineboot --init >/dev/null 2>&1
  if [ "${KALVOR_WINE_DISPLAY:-null}" = x11 ]; then
    # Without a window manager Wine must draw the frames itself, or windows lack title bars.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  else
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  fi
  if [ -n "${KALVOR_WINE_DPI:-}" ]; then
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$KALVOR_WINE_DPI" /f >/dev/null 2>&1
  fi
  # Debian's Wine does not load its own fonts (Tahoma, MS Sans Serif) by itself.
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  timeout 60 "$wine" wineboot --update >/dev/null 2>&1 || true
  # The start-up's own processes end before the first program runs, so none holds its output open.
  timeout 60 /usr/lib/wine/wineserver -w || true
  touch "$prefix/kalvor-ready"
fi
# One server for a whole test run: it stays 30 s after its last program, so that a program starting
# while it would end (a race Wine loses now and then) finds it running.
/usr/lib/wine/wineserver -p30 </dev/null >/dev/null 2>&1 || true
flock -u 9

# The program writes into a file, not into the pipe of whoever runs this: Wine's own processes that the
# program starts (the desktop's explorer) would inherit a pipe and hold it open after the program ends.
output="$(mktemp)"
status=0
timeout "${KALVOR_WINE_TIMEOUT:-600}" "$wine" "$@" </dev/null >"$output" 2>&1 || status=$?
cat "$output"
rm -f "$output"
exit "$status"
