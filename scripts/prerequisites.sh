#!/usr/bin/env bash
# Installs the Debian packages and locales that building and testing need.
# Safe to run again: it installs only what is missing and updates the package
# lists only when something has to be installed.
set -euo pipefail

packages=(
  cmake ninja-build g++
  g++-mingw-w64-i686 g++-mingw-w64-x86-64     # cross compilers (posix variants used)
  wine wine64                                 # runs the 64-bit build; never wine32
  xvfb imagemagick fonts-wqy-microhei         # a display, screenshots, CJK glyphs
  aapt android-framework-res                  # the real packaging tool and a real package
  googletest locales
  clang libclang-rt-14-dev                    # libFuzzer and sanitizers
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "prerequisites: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  # wine64 recommends wine32, which cannot run here and breaks the wine wrapper.
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes the ANSI code page from the locale; both locales must exist for
# Wine to map non-ASCII file names.
need_locales=0
for l in zh_CN.utf8 en_US.utf8; do
  locale -a 2>/dev/null | grep -qx "$l" || need_locales=1
done
if [ $need_locales = 1 ]; then
  sed -i -E 's/^# *(zh_CN\.UTF-8 UTF-8|en_US\.UTF-8 UTF-8)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
