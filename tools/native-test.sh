#!/bin/bash
# The window-free layers built natively with clang: their unit tests and the fuzzers (each for
# TAVLO_FUZZ_SECONDS, 20 by default) under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# line coverage of src/engine reached by the unit tests and the fuzzers' corpora. Installs clang and
# llvm where missing (as root on Debian).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${TAVLO_NATIVE_BUILD:-$root/build-native}
coverage=${TAVLO_COVERAGE_BUILD:-$root/build-coverage}
seconds=${TAVLO_FUZZ_SECONDS:-20}

bash "$root/tools/install-deps.sh" clang llvm

jobs=$(nproc)
CXX=clang++ cmake -S "$root/cmake/native" -B "$native" -DTAVLO_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build "$native" -j"$jobs"
(cd "$native" && ctest --output-on-failure)

# Coverage: the same tests and every corpus file run once, instrumented for llvm-cov.
CXX=clang++ cmake -S "$root/cmake/native" -B "$coverage" -DTAVLO_COVERAGE=ON >/dev/null
cmake --build "$coverage" -j"$jobs"
rm -f "$coverage"/*.profraw
(cd "$coverage" && LLVM_PROFILE_FILE="$coverage/unit.profraw" ./test_native --gtest_brief=1 >/dev/null)
# Each fuzzer's corpus as its run above left it (the seeds and what it found), or the seeds alone.
for seeds in "$root"/tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  corpus="$native/fuzz-$name/work"
  [ -d "$corpus" ] || corpus="$seeds"
  LLVM_PROFILE_FILE="$coverage/$name.profraw" "$coverage/$name" -runs=0 "$corpus" >/dev/null 2>&1
done
llvm-profdata merge -sparse "$coverage"/*.profraw -o "$coverage/all.profdata"
objects=()
for binary in "$coverage"/fuzz_*; do
  [ -f "$binary" ] && [ -x "$binary" ] && objects+=(-object "$binary")
done
echo "Line coverage of src/engine (unit tests and fuzz corpora):"
llvm-cov report "$coverage/test_native" "${objects[@]}" -instr-profile="$coverage/all.profdata" "$root"/src/engine/*.cpp
