#!/usr/bin/env bash
# CTest's emulator: runs one Windows program in the project's prefix, under the driver the prefix was set for.
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
