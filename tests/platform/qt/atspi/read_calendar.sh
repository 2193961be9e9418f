#!/usr/bin/env bash
# Runs the Linux program on a private X server and session bus with the accessibility bus up, and has
# read_calendar.py read its calendar as a screen reader would. Exit 77 (skipped) when the packages that
# make the bus are missing (scripts/install-deps.sh installs them). Then the Qt backend's accessibility
# tests run again on that bus, where Qt sends the events that its off-screen platform does not.
#   read_calendar.sh PROGRAM QT_BACKEND_TEST_PROGRAM
set -uo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program=$1
tests=$2
python=/usr/bin/python3  # Debian's, where python3-pyatspi is
launcher=/usr/libexec/at-spi-bus-launcher

if [ "${3:-}" != --inside ]; then
  for tool in xvfb-run dbus-run-session "$launcher" "$python"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
  done
  "$python" -c "import pyatspi" 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }
  exec timeout 120 xvfb-run -a dbus-run-session -- bash "${BASH_SOURCE[0]}" "$program" "$tests" --inside
fi

folder="$(mktemp -d)"
trap 'kill "${app:-}" "${bus:-}" 2>/dev/null; wait 2>/dev/null; rm -rf "$folder"' EXIT
cp "$program" "$folder/kalvor"
"$python" "$here/read_calendar.py" "$folder" --write
"$launcher" --launch-immediately >/dev/null 2>&1 &
bus=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$folder/kalvor" >/dev/null 2>&1 &
app=$!
"$python" "$here/read_calendar.py" "$folder" --read || exit 1
KALVOR_ACCESSIBILITY_BUS=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb \
  "$tests" --gtest_filter='ViewAccessibleTest.*' --gtest_brief=1
