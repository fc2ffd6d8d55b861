#!/bin/bash
# Configures and builds into build/ (or $TAVLO_BUILD) with the mingw-w64 cross compiler.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVLO_BUILD:-$root/build}
bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DTAVLO_PACKAGING=ON -DTAVLO_TESTS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
