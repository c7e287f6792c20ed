#!/usr/bin/env bash
# CTest's emulator: runs one Windows program in the project's prefix, under the driver the prefix was set for.
# The output goes through a file: helper processes that Wine starts (a desktop per test program) inherit
# the output handles and would hold a pipe open after the program has ended.
source "$(dirname "$0")/wine-env.sh"
out="$(mktemp)"
wine "$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
rm -f "$out"
exit $status
