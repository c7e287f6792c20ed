#!/usr/bin/env bash
# Makes the Wine prefix ready and starts one persistent wineserver with a keeper process.
#   wine-setup.sh null   tests: the null graphics driver, no X server needed
#   wine-setup.sh x11    the program on an X display, unmanaged windows
#   wine-setup.sh stop   ends the server (saving the registry) and the keeper
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh"
mode="${1:-null}"

if [ "$mode" = stop ]; then
    "$here/printer-setup.sh" stop
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    exit 0
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    DISPLAY= wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Debian's Wine looks for its own fonts in the wrong place: copy them in.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # The tape is monospaced: map the faces the program asks for to faces that exist.
    for pair in "Courier New=Liberation Mono" "Arial=Liberation Sans" "Times New Roman=Liberation Serif" \
                "Verdana=DejaVu Sans"; do
        DISPLAY= wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /d "${pair#*=}" /f \
            >/dev/null 2>&1
    done
    DISPLAY= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
fi
# Wine's Tahoma Bold has the regular face's outlines (with a bold face's wider advances): only its bitmaps for
# 11 and 12 pixels are bold, so bold Tahoma at any other size drew regular glyphs spread apart. Without it Wine
# emboldens the regular Tahoma, at every size. Removed from prefixes made before, too.
rm -f "$WINEPREFIX/drive_c/windows/Fonts/tahomabd.ttf"
# Window captions are bold Tahoma at 11 pixels too: drawn unsmoothed, as the program draws its own small bold,
# they keep their weight.
caption_font=F5FFFFFF000000000000000000000000BC0200000000000000000322
caption_font+=4D00530020005300680065006C006C00200044006C006700$(printf '0%.0s' $(seq 80))
DISPLAY= wine reg add 'HKCU\Control Panel\Desktop\WindowMetrics' /v CaptionFont /t REG_BINARY /d "$caption_font" /f \
    >/dev/null 2>&1

if [ "$mode" = null ]; then
    # The test that prints needs the PDF printer; without it only that test fails, and says why.
    "$here/printer-setup.sh" || echo "wine-setup: no PDF printer, the printing test will fail" >&2
    DISPLAY= wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
else
    DISPLAY= wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1 || true
fi
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true

wineserver -p
# Warm up with output to /dev/null, so the services Wine starts do not hold a reader's pipe.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
keeper="${PLUMVANE_KEEPER:-}"
if [ -n "$keeper" ] && [ -f "$keeper" ]; then
    # The keeper writes this file once it runs: another prefix's keeper on the machine cannot be taken for it.
    ready="$WINEPREFIX/drive_c/keeper-ready"
    rm -f "$ready"
    setsid wine "$keeper" 'C:\keeper-ready' </dev/null >/dev/null 2>&1 &
    # Wait until the keeper runs, so the first test does not share its start with the keeper's.
    for _ in $(seq 100); do [ -e "$ready" ] && break; sleep 0.05; done
    [ -e "$ready" ] || echo "wine-setup: the keeper did not start within 5 s" >&2
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
fi
