#!/usr/bin/env bash
# Every portable header must mean the same with and without <windows.h>: that header turns thousands of
# names (DeleteFile, FindWindow, ERROR, far, ...) into macros, so a portable function with such a name
# would be compiled under another name in a backend file that includes it, and never link. Here every
# macro that windows.h, commctrl.h, commdlg.h and shellapi.h define is redefined as a stray '@', and
# each portable header is compiled after them: any use of such a name fails the compile.
#   check.sh COMPILER SOURCE_ROOT
set -euo pipefail
compiler=$1
root=$2
windows_headers=/usr/share/mingw-w64/include
if [ ! -f "$windows_headers/windows.h" ]; then
  echo "skipped: the MinGW-w64 headers are not installed ($windows_headers); scripts/install-deps.sh installs them"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The macros a Windows translation unit sees, read with the host preprocessor from MinGW's headers.
printf '#include <windows.h>\n#include <commctrl.h>\n#include <commdlg.h>\n#include <shellapi.h>\n' |
  "$compiler" -E -dM -undef -D_WIN32 -D_WIN64 -D__MINGW32__ -D__MINGW64__ -D__x86_64__ -D__GNUC__=12 \
    -D__GNUC_MINOR__=2 -isystem "$windows_headers" -x c++ - |
  awk '$1 == "#define" { name = $2; sub(/\(.*/, "", name); if (name !~ /^_/) print name }' |
  sort -u >"$work/names"
count=$(wc -l <"$work/names")
[ "$count" -gt 10000 ] || { echo "only $count macro names read from windows.h"; exit 1; }
sed 's/.*/#undef &\n#define & @/' "$work/names" >"$work/windows_macros.h"

cd "$root"
headers=$(ls app/*.h settings/*.h calendar/*.h mainwindow/*.h colours/*.h platform/*.h)
# The standard headers come first, as in a backend file that includes them before windows.h.
standard=$(grep -h '^#include <' $headers | sort -u)
{
  echo "$standard"
  echo '#include "windows_macros.h"'
  for header in $headers; do echo "#include \"$header\""; done
} >"$work/check.cpp"
if ! "$compiler" -std=c++20 -fsyntax-only -I "$root" -I "$work" "$work/check.cpp" 2>"$work/errors"; then
  echo "A portable header uses a name that windows.h defines as a macro:"
  grep -m 10 "^$root/.*error" "$work/errors" || grep -m 10 error "$work/errors" || true
  exit 1
fi
echo "$(echo "$headers" | wc -w) portable headers checked against $count names from windows.h"
