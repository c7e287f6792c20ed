#!/usr/bin/env bash
# Builds both presets and runs every test: native with sanitizers, a bounded fuzz run, then under Wine.
set -uo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh || exit 1

status=0
step() { echo; echo "== $*"; }

step "native build (ASan + UBSan)"
cmake --preset native >/dev/null && cmake --build --preset native || exit 1
step "native tests"
ctest --preset native -j2 || status=1

step "fuzzing the text conversions (60 s)"
if cmake --preset fuzz >/dev/null && cmake --build --preset fuzz; then
    targets=(build/fuzz/tests/fuzz/*_fuzz)
    each=$(( 60 / ${#targets[@]} ))
    for target in "${targets[@]}"; do
        [ -x "$target" ] || continue
        corpus="build/fuzz/corpus/$(basename "$target")"
        mkdir -p "$corpus"
        "$target" -max_total_time=$each -timeout=10 -rss_limit_mb=2048 "$corpus" >build/fuzz/log.txt 2>&1 \
            || { tail -40 build/fuzz/log.txt; status=1; }
        tail -1 build/fuzz/log.txt
    done
else
    status=1
fi

step "Windows build"
cmake --preset windows >/dev/null && cmake --build --preset windows || exit 1
step "tests under Wine"
export PLUMVANE_KEEPER=build/windows/WineKeeper.exe
tools/wine-setup.sh stop
tools/wine-setup.sh null || exit 1
ctest --preset windows -j2
wine_status=$?
tools/wine-setup.sh stop
[ $wine_status -eq 0 ] || status=1
exit $status
