#!/bin/bash
# Builds everything and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVLO_BUILD:-$root/build}
bash "$root/tools/build.sh"
"$build/wine-prefix-up"
cd "$build"
ctest --output-on-failure
