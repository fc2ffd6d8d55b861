#!/bin/bash
# Builds if needed and starts Tavlo2 under Wine, arguments passed on. Without a display it shows the
# main job instead: an automatic run over a small sample folder, then a screenshot of the window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVLO_BUILD:-$root/build}
bash "$root/tools/build.sh" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
  "$build/wine-prefix-up"
  exec "$build/wine-run" "$build/tavlo2.exe" "$@"
fi

# No display: the demonstration runs in a prefix of its own, on a virtual display. TAVLO_DPI=144 (or
# 192) shows the program on a screen of that resolution, in a prefix of that resolution's own.
export TAVLO_UNMANAGED=1
dpi=${TAVLO_DPI:-96}
if [ "$dpi" = 96 ]; then export WINEPREFIX="$build/demo-prefix"; else export WINEPREFIX="$build/demo-prefix-$dpi"; fi
width=$((1280 * dpi / 96)) height=$((1024 * dpi / 96))
exec xvfb-run -a -s "-screen 0 ${width}x${height}x24" bash "$root/tools/demo.sh" "$build"
