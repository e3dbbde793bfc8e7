#!/usr/bin/env bash
# Runs a Windows program of the 64-bit build under Wine in a project-local
# prefix:  wine-run.sh PREFIX PROGRAM [ARG...]
# The prefix is created on first use. The ANSI code page follows the locale:
# zh_CN.UTF-8 (code page 936) unless CORVINA_LOCALE names another one.
set -euo pipefail
prefix=$1; shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export LC_ALL=${CORVINA_LOCALE:-zh_CN.UTF-8}
ready=$prefix/.corvina-prefix-ready
if [ ! -f "$ready" ]; then
  mkdir -p "$prefix"
  # Tests may start in parallel: only one of them creates the prefix.
  (
    flock 9
    if [ ! -f "$ready" ]; then
      wine wineboot --init >/dev/null 2>&1
      # Every window opens in a virtual desktop, which gives them real frames
      # and title bars and closes them at once. (Without a window manager,
      # Wine waits up to 2 s for each closed top-level window to go.)
      wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
      touch "$ready"
    fi
  ) 9>"$prefix.lock"
fi
exec wine "$@"
