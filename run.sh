#!/usr/bin/env bash
# Builds Plumvane and starts it under Wine. With no display it runs on Xvfb, saves a screenshot of the
# program after start-up to build/screenshot.png and ends the program.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
# The optimised, stripped build: the test build's debug sections (25 of its 26 MB) are part of the image, which
# Wine loads at every start.
cmake --preset release >/dev/null
cmake --build --preset release --target Plumvane WineKeeper

headless=0
if [ -z "${DISPLAY:-}" ]; then
    headless=1
    # Xvfb picks a display no other server holds and writes its number once it takes connections.
    displayFile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayFile" >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill $xvfb 2>/dev/null || true; rm -f "$displayFile"' EXIT
    started() { grep -q '^[0-9][0-9]*$' "$displayFile"; }
    for _ in $(seq 100); do started && break; sleep 0.1; done
    started || { echo "run.sh: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(cat "$displayFile")"
    echo "Showing the program on Xvfb display $DISPLAY"
fi

tools/wine-setup.sh stop
tools/wine-setup.sh x11
source tools/wine-env.sh
if [ $headless -eq 0 ]; then
    wine build/release/Plumvane.exe "$@"
    tools/wine-setup.sh stop
    exit 0
fi

wine build/release/Plumvane.exe "$@" </dev/null >/dev/null 2>&1 &
program=$!
# Wait until the program's window has been mapped, then give it a moment to paint.
for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Plumvane' && break
    sleep 0.1
done
sleep 1
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >build/screenshot.png 2>/dev/null
echo "Screenshot of the program after start-up: build/screenshot.png"
kill $program 2>/dev/null || true
tools/wine-setup.sh stop
