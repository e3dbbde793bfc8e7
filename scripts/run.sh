#!/usr/bin/env bash
# The main job: installs what is missing, builds the program, prepares a
# project-local Wine prefix whose emulator registry value points to a folder
# holding the bridge aapt.exe (so Debian's real aapt does the work), and
# starts Corvina on a sample package through its "Open with" argument.
#   run.sh [PACKAGE.apk]
# With a display (DISPLAY set) the window is shown until it is closed.
# Without one, it runs on Xvfb, saves a screenshot to build/screenshot.png
# and prints the four box texts read back from the running window.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/prerequisites.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Corvina aapt_bridge box_reader test_packages >/dev/null
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Corvina >/dev/null

build=$root/build/win64
prefix=$root/build/run-prefix
package=${1:-$build/packages/chinese-label.apk}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" LC_ALL=zh_CN.UTF-8
dos() { echo "Z:${1//\//\\}"; }

run_in_prefix() {
  "$root/scripts/wine-run.sh" "$prefix" reg add 'HKCU\Software\ChangZhi2\dnplayer' \
    /v InstallDir /t REG_SZ /d "$(dos "$build/emulator")" /f >/dev/null
  if [ "$1" = show ]; then
    wine explorer /desktop=corvina,800x600 "$(dos "$build/src/Corvina.exe")" "$(dos "$package")"
    return
  fi
  wine explorer /desktop=corvina,800x600 "$(dos "$build/src/Corvina.exe")" "$(dos "$package")" &
  local program=$!
  rm -f "$root/build/boxes.txt"
  wine explorer /desktop=corvina,800x600 "$(dos "$build/tests/helpers/box_reader.exe")" 120 \
    "$(dos "$root/build/boxes.txt")"
  for _ in $(seq 1 1200); do [ -s "$root/build/boxes.txt" ] && break; sleep 0.1; done
  sleep 1
  cat "$root/build/boxes.txt" 2>/dev/null || echo "the box texts could not be read"
  import -window root "$root/build/screenshot.png"
  echo "screenshot: build/screenshot.png"
  wineserver -k || true
  wait "$program" 2>/dev/null || true
}

if [ -n "${DISPLAY:-}" ]; then
  run_in_prefix show
else
  export -f run_in_prefix dos
  export root build prefix package
  scripts/with-display.sh "$prefix" bash -c 'run_in_prefix capture'
fi
echo "The shipped 32-bit program: build/win32/src/Corvina.exe"
