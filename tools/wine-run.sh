#!/usr/bin/env bash
# CTest's emulator: runs one Windows program in the project's prefix, under the driver the prefix was set for.
# The output goes through a file: helper processes that Wine starts (a desktop per test program) inherit
# the output handles and would hold a pipe open after the program has ended.
source "$(dirname "$0")/wine-env.sh"
out="$(mktemp)"
run() { wine "$@" >"$out" 2>&1 </dev/null; }
run "$@"
status=$?
# A program that ends in failure without printing a word never started (Wine itself gave up, as it now and
# then does while a fresh prefix settles): start it once more. A failing test always prints its report.
if [ $status -ne 0 ] && [ ! -s "$out" ]; then
    run "$@"
    status=$?
fi
cat "$out"
rm -f "$out"
exit $status
