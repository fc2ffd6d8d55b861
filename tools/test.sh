#!/bin/bash
# Builds everything and runs every test under Wine, on a virtual display for the window tests; then
# the native build of the window-free layers with its sanitizers and fuzzers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVLO_BUILD:-$root/build}
# The writers of the content test's corpus.
bash "$root/tools/install-deps.sh" ffmpeg libheif-examples 7zip zstd genisoimage gcab jlha-utils python3-docx \
  python3-openpyxl python3-odf python3-fonttools python3-brotli
bash "$root/tools/build.sh"
cd "$build"
# A 4K screen, so that windows wider than 32767 twips can be tested.
TAVLO_UNMANAGED=1 xvfb-run -a -s "-screen 0 3840x2160x24" bash -c '"$0/wine-prefix-up" && ctest --output-on-failure -LE bench' "$build"
# The window-free layers natively: sanitizers, fuzzers, coverage.
bash "$root/tools/native-test.sh"
