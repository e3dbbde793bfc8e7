#!/usr/bin/env bash
# The benchmark command: installs what is missing, builds the 64-bit build
# and runs the console runner's benchmark under Wine. Prints one
# "name: value unit" line per figure. An optional argument sets the number
# of capture rounds (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/prerequisites.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target bench_console scripted_child >/dev/null
prefix=$PWD/build/win64/wineprefix
scripts/with-display.sh "$prefix" scripts/wine-run.sh "$prefix" build/win64/bench/bench_console.exe "$@"
