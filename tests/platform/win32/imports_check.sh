#!/usr/bin/env bash
# kalvor.exe starts on Windows 7: its headers ask for no newer system, and it imports only DLLs that
# Windows 7 has and none of the calls that later versions added for scaling and the like (those are
# looked up by name at run time, where they are used at all).
#   imports_check.sh OBJDUMP KALVOR_EXE
set -euo pipefail
objdump=$1 program=$2

headers="$("$objdump" -p "$program")"
major=$(awk '/MajorSubsystemVersion/ { print $2 }' <<<"$headers")
minor=$(awk '/MinorSubsystemVersion/ { print $2 }' <<<"$headers")
status=0
if [ $((major * 100 + minor)) -gt 601 ]; then
  echo "the program asks for Windows $major.$minor; Windows 7 is 6.1"
  status=1
fi

# System DLLs that Windows 7 carries (no api-ms-win-* sets, no shcore, no ucrtbase).
windows7_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll msvcrt.dll shell32.dll
  advapi32.dll ole32.dll oleaut32.dll oleacc.dll uxtheme.dll imm32.dll version.dll shlwapi.dll "
while read -r dll; do
  if [[ "$windows7_dlls" != *" ${dll,,} "* ]]; then
    echo "imports $dll, which Windows 7 lacks"
    status=1
  fi
done < <(awk '/DLL Name:/ { print $3 }' <<<"$headers")

# Calls that came after Windows 7: per-monitor scaling (8.1 and 10) and Windows 8's kernel additions.
newer='(GetDpiFor|ForDpi$|DpiAwareness|EnableNonClientDpiScaling|PerMonitorDPI|GetSystemTimePreciseAsFileTime|CreateFile2$|GetCurrentThreadStackLimits|GetOverlappedResultEx|PrefetchVirtualMemory)'
# Rows of the import tables: a tab, the entry's address, a tab, its hint, its name.
imported="$(awk '/^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print $3 }' <<<"$headers")"
count=$(wc -l <<<"$imported")
if [ "$count" -lt 50 ]; then
  echo "read only $count imported calls: objdump's listing was not understood"
  status=1
fi
if grep -E "$newer" <<<"$imported"; then
  echo "imports the calls above, which Windows 7 lacks"
  status=1
fi
[ "$status" -eq 0 ] && echo "Windows 7: subsystem $major.$minor, $count imported calls from its own DLLs"
exit "$status"
