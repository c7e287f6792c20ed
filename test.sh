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

step "fuzzing every reader (at most 3 minutes in all)"
if cmake --preset fuzz >/dev/null && cmake --build --preset fuzz; then
    # Every tests/fuzz/*_fuzz.cpp target gets an equal share of 170 s (the rest is start-up), at least 1 s.
    targets=()
    for source in tests/fuzz/*_fuzz.cpp; do targets+=("build/fuzz/tests/fuzz/$(basename "$source" .cpp)"); done
    each=$(( 170 / ${#targets[@]} ))
    [ $each -ge 1 ] || each=1
    for target in "${targets[@]}"; do
        name="$(basename "$target")"
        if [ ! -x "$target" ]; then echo "$name: not built"; status=1; continue; fi
        corpus="build/fuzz/corpus/$name"
        log="build/fuzz/$name.log"
        mkdir -p "$corpus"
        if "$target" -max_total_time=$each -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build/fuzz/ "$corpus" \
            >"$log" 2>&1; then
            echo "$name: $(grep -a '^Done' "$log" | tail -1)"
        else
            tail -40 "$log"
            echo "$name: FAILED (input saved in build/fuzz/)"
            status=1
        fi
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
