#!/usr/bin/env bash
# The test command: on a Debian 12 machine (as root) installs what is
# missing, configures and builds the three presets, and runs every test:
# the portable code natively under the sanitizers, the 64-bit Windows build
# under Wine, and the static checks of the shipped 32-bit build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/prerequisites.sh

for preset in host win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

ctest --preset host
ctest --preset win32
scripts/with-display.sh "$PWD/build/win64/wineprefix" ctest --preset win64
