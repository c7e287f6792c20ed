#!/usr/bin/env bash
# Prints the non-blank, non-comment lines of tests/ against those of src/ and tools/ (C++ sources and
# headers, and the scripts in tools/), to keep the tests near a third of the code.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    # C++: drops // lines and /* */ blocks; scripts: drops # lines (the #! line too).
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.py' -o -name '*.sh' \) -print0 |
        xargs -0 awk '
            FNR == 1 { script = (FILENAME ~ /\.(py|sh)$/); inblock = 0 }
            {
                line = $0; sub(/^[ \t]+/, "", line); sub(/[ \t\r]+$/, "", line)
                if (line == "") next
                if (script) { if (line !~ /^#/) n++; next }
                if (inblock) { if (line ~ /\*\//) { inblock = 0; rest = line; sub(/.*\*\//, "", rest); if (rest ~ /[^ \t]/) n++ } next }
                if (line ~ /^\/\//) next
                if (line ~ /^\/\*/) { if (line !~ /\*\//) inblock = 1; else { rest = line; sub(/.*\*\//, "", rest); if (rest ~ /[^ \t]/) n++ } next }
                n++
            }
            END { print n + 0 }'
}

tests=$(count tests)
code=$(count src tools)
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d lines, code %d lines (src/ and tools/): %.1f%%\n", t, c, 100 * t / c }'
