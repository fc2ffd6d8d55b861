#!/bin/bash
# Builds everything and puts the release packages in dist/: the portable zip and the per-user MSI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVLO_BUILD:-$root/build}
bash "$root/tools/build.sh"
mkdir -p "$root/dist"
cp "$build"/dist/tavlo2-* "$root/dist/"
ls -l "$root/dist"
