#!/usr/bin/env bash
# A long fuzzing run of every libFuzzer target:  fuzz.sh [SECONDS]
# (default 600 seconds each). Installs what is missing and builds the host
# preset first. New inputs are kept in build/host/fuzz-corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
scripts/prerequisites.sh
cmake --preset host >/dev/null
cmake --build --preset host --target fuzzers >/dev/null
for target in text_between registry_path filter_list; do
  mkdir -p "build/host/fuzz-corpus/$target"
  echo "== $target"
  "build/host/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    "build/host/fuzz-corpus/$target" "fuzz/corpus/$target" 2>&1 |
    grep -E '^(Done|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)' || true
done
