#!/usr/bin/env bash
# Runs the main window's backup test against storage that cannot take the record: plumva.txt linked to the
# always-full device, then to a file on a 64 KiB file system that already holds an earlier record.
#   BackupDevices.sh <frmCalcula test program>
set -uo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
program="$(realpath "$1")"
work="$(mktemp -d "$(dirname "$program")/backup-devices.XXXXXX")"
mounted=""
cleanup() {
    [ -n "$mounted" ] && umount "$mounted"
    rm -rf "$work"
}
trap cleanup EXIT

run() {  # run <case>: the program copied into its own folder, so its plumva.txt is the one set up here
    PLUMVANE_BACKUP_DEVICE="$1" "$here/tools/wine-run.sh" "$work/$1/$(basename "$program")" \
        --gtest_filter='*BackupThatDoesNotFit*'
}

mkdir -p "$work/full" "$work/small" "$work/mnt"
cp "$program" "$work/full/" && cp "$program" "$work/small/" || exit 1
ln -s /dev/full "$work/full/plumva.txt"
run full || exit 1

if ! mount -t tmpfs -o size=64k,mode=0755 plumvane-backup "$work/mnt" 2>/dev/null; then
    echo "SKIPPED: the small file system case needs mount (run as root); the full device case passed"
    exit 77
fi
mounted="$work/mnt"
printf -- '--- an earlier record ---\r\n' >"$work/mnt/plumva.txt"
[ "$(df --output=avail -k "$work/mnt" | tail -1)" -lt 100 ] || { echo "the small file system is not small"; exit 1; }
ln -s "$work/mnt/plumva.txt" "$work/small/plumva.txt"
run small
