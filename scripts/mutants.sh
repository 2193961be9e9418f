#!/usr/bin/env bash
# Checks that the test suite catches deliberate bugs. Each patch in scripts/mutants/ plants one bug in
# the program (those in scripts/mutants/windows/, in the Windows backend: KALVOR_MUTANTS_BACKEND=win32
# builds and tests the Windows program under Wine instead); the script copies the work tree (the files git knows, as they are now), builds it once,
# then for each patch applies it, rebuilds, runs every test and takes it out again. A bug is caught
# when at least one test fails; the tests that failed are listed. Exits non-zero when a bug survived or
# a patch no longer applies or builds.
#
#   bash scripts/mutants.sh [patch ...]     (default: every patch in scripts/mutants/)
#
# Run it as root, like the suite in CI: some bugs only show on a real full disk or as another user.
# KALVOR_MUTANTS_DIR keeps the copy and its build between runs (default: a fresh temporary folder).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="${KALVOR_MUTANTS_DIR:-$(mktemp -d)}"
source="$work/src"
build="$work/build"
jobs="$(nproc)"

backend="${KALVOR_MUTANTS_BACKEND:-qt}"
configure=()
if [ "$backend" = win32 ]; then
  configure=(-DCMAKE_TOOLCHAIN_FILE="$source/cmake/mingw-w64.cmake" -DKALVOR_BACKEND=win32)
  export LANG=C.UTF-8  # Wine makes file names from the locale
fi
if [ "$#" -gt 0 ]; then
  patches=("$@")
elif [ "$backend" = win32 ]; then
  patches=("$root"/scripts/mutants/windows/*.patch)
else
  patches=("$root"/scripts/mutants/*.patch)
fi
[ "$(id -u)" -eq 0 ] || echo "note: not root, so the full-disk and other-user tests skip and some bugs may survive"

bash "$root/scripts/install-deps.sh"
[ "$backend" = win32 ] && bash "$root/scripts/install-windows-deps.sh"
mkdir -p "$source"
git -C "$root" ls-files -z | (cd "$root" && tar --null -T - -cf -) | tar -xf - -C "$source"
cmake -S "$source" -B "$build" -DKALVOR_BENCHMARKS=OFF "${configure[@]}" > "$work/configure.log" 2>&1
cmake --build "$build" -j "$jobs" > "$work/build.log" 2>&1

caught=0
failures=0
for patch in "${patches[@]}"; do
  name="$(basename "$patch" .patch)"
  if ! patch -s -d "$source" -p1 < "$patch"; then
    echo "NOT APPLIED $name"
    failures=$((failures + 1))
    continue
  fi
  log="$work/$name.log"
  if ! cmake --build "$build" -j "$jobs" > "$log" 2>&1; then
    echo "NOT BUILT   $name (see $log)"
    failures=$((failures + 1))
  elif (cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j "$jobs" --timeout 300 >> "$log" 2>&1); then
    echo "SURVIVED    $name"
    failures=$((failures + 1))
  else
    caught=$((caught + 1))
    echo "CAUGHT      $name by:"
    sed -n -E 's/^[[:space:]]+[0-9]+ - ([^ ]+).*$/              \1/p' "$log"
  fi
  patch -s -R -d "$source" -p1 < "$patch"
done

# Leave the copy's build matching the unchanged program for the next run.
cmake --build "$build" -j "$jobs" > "$work/build.log" 2>&1
echo "$caught of ${#patches[@]} bugs caught (copy and logs in $work)"
[ "$failures" -eq 0 ]
