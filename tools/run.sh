#!/bin/bash
# Builds if needed and starts the program under Wine, arguments passed on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVLO_BUILD:-$root/build}
bash "$root/tools/build.sh" >/dev/null
"$build/wine-prefix-up"
"$build/wine-run" "$build/tavlo2.exe" "$@"
echo "tavlo2.exe started and ended (exit code $?)."
