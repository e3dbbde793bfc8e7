#!/usr/bin/env bash
# Runs a command with a virtual X display and a persistent Wine server for
# the given prefix, and stops both afterwards:
#   with-display.sh PREFIX COMMAND [ARG...]
# A display that is already set (DISPLAY) is used as it is.
set -euo pipefail
prefix=$1; shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
mkdir -p "$prefix"

xvfb_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; break; fi
    xvfb_pid=
  done
  [ -n "${DISPLAY:-}" ] || { echo "with-display: no X display could be started" >&2; exit 1; }
fi

# A new prefix is made first, with a server of its own that then ends: the
# virtual desktop the prefix asks for is used from the next server on.
run=$(dirname "$0")/wine-run.sh
if [ ! -f "$prefix/.corvina-prefix-ready" ]; then
  "$run" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
fi

# One Wine server for the whole run: starting a new one for every test
# program costs seconds. Its output must not hold the caller's pipes open.
wineserver -p </dev/null >/dev/null 2>&1
# Wine's background services and the prefix's virtual desktop, started here
# with their output going nowhere: started by the first program that needs
# them, they would inherit that program's output pipes (a test's, say) and
# keep them open for as long as they run.
"$run" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1
"$run" "$prefix" explorer /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
"$@"
