#!/bin/bash
# Builds everything and runs every test under Wine, on a virtual display for the window tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVLO_BUILD:-$root/build}
bash "$root/tools/build.sh"
cd "$build"
TAVLO_UNMANAGED=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '"$0/wine-prefix-up" && ctest --output-on-failure' "$build"
