#!/usr/bin/env bash
# The program carries no test hook: no injected file failure and no automation in its symbols. A test
# program must have them, or this check would pass whatever the symbol names became.
#   no_test_hooks.sh NM PROGRAM TEST_PROGRAM
set -euo pipefail
nm=$1
program=$2
test_program=$3
hooks='platform::testing::|InjectFileFailure|InjectReplaceFailure|InjectStopBeforeMove|platform::automation::'
if ! "$nm" -C "$test_program" | grep -E "$hooks" >/dev/null; then
  echo "the test program $test_program holds none of the hooks looked for: the names changed" >&2
  exit 1
fi
if found=$("$nm" -C "$program" | grep -E "$hooks"); then
  echo "the program carries test hooks:" >&2
  echo "$found" >&2
  exit 1
fi
echo "no test hook in $program"
