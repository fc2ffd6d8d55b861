#!/bin/bash
# Installs what building, running and testing need on Debian, only where it is missing; packages named
# as arguments too.
set -euo pipefail
packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine wine64
          xvfb xauth x11-utils fonts-ipafont fonts-wine imagemagick locales python3 wixl msitools xdotool "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
