#!/usr/bin/env bash
# A PDF printer for the tests that print, on a CUPS scheduler of this build's own (build/cups), so that no
# other program on the machine sees a printer appear:
#   printer-setup.sh        starts the scheduler unless it runs, adds the printer "PDF" unless it exists and
#                           makes it the default; each page printed on it arrives as a PDF file in
#                           build/cups/pages
#   printer-setup.sh stop   ends that scheduler
# A program reaches it with CUPS_SERVER=build/cups/cups.sock (CTest sets it for the printing tests). Safe to
# run again and from several runs at once: the steps run under one lock, and a running scheduler is kept.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/build/cups"
socket="$dir/cups.sock"
pidFile="$dir/state/cupsd.pid"
printer=PDF
# The PDF backend reads /etc/cups/cups-pdf-<instance>.conf for a printer at cups-pdf:/<instance>: one
# instance per build, with its own output folder.
instance="plumvane-$(printf %s "$dir" | md5sum | cut -c1-12)"

running() { CUPS_SERVER="$socket" lpstat -r 2>/dev/null | grep -q 'is running'; }

if [ "${1:-}" = stop ]; then
    if running && [ -f "$pidFile" ]; then
        kill "$(cat "$pidFile")" 2>/dev/null || true
    fi
    exit 0
fi

for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null || { echo "printer-setup: $tool is missing (cups)" >&2; exit 1; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] || { echo "printer-setup: printer-driver-cups-pdf is missing" >&2; exit 1; }
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

mkdir -p "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$dir/pages"
exec 9>"$dir/lock"
flock -w 60 9 || { echo "printer-setup: another set-up holds $dir/lock" >&2; exit 1; }

printf 'Out %s\n' "$dir/pages" >"/etc/cups/cups-pdf-$instance.conf" ||
    { echo "printer-setup: cannot write /etc/cups/cups-pdf-$instance.conf" >&2; exit 1; }
if ! running; then
    cat >"$dir/cupsd.conf" <<EOF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
    cat >"$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
EOF
    rm -f "$socket"
    cupsd -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" || { echo "printer-setup: cupsd failed" >&2; exit 1; }
    for _ in $(seq 100); do running && break; sleep 0.1; done
    running || { echo "printer-setup: the scheduler did not start, see $dir/log/error_log" >&2; exit 1; }
fi
export CUPS_SERVER="$socket"
if ! lpstat -p "$printer" >/dev/null 2>&1; then
    lpadmin -p "$printer" -E -v "cups-pdf:/$instance" -P "$ppd" 2>/dev/null ||
        { echo "printer-setup: could not add the printer $printer" >&2; exit 1; }
fi
if ! lpstat -d 2>/dev/null | grep -q ": $printer\$"; then
    lpadmin -d "$printer" || exit 1
fi
exit 0
