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

# No display: the demonstration runs in a prefix of its own, on a virtual display.
export WINEPREFIX="$build/demo-prefix"
export TAVLO_UNMANAGED=1
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$root/tools/demo.sh" "$build"
