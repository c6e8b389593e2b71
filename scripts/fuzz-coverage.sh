#!/usr/bin/env bash
# Source coverage of the driver reached by the fuzzers' corpora: builds the fuzzers with
# clang's coverage instrumentation (build/fuzz-coverage), replays each corpus once and reports
# the driver's sources with llvm-cov.
#   scripts/fuzz-coverage.sh [CORPUS_ROOT]   (default: fuzz/corpus; one folder per fuzzer)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(realpath "${1:-fuzz/corpus}")
build=build/fuzz-coverage
cmake --preset fuzz -B "$build" -DZELSTR_BUILD_TESTS=OFF -DZELSTR_BUILD_HOST_TOOLS=OFF \
  -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" >/dev/null
cmake --build "$build" --target parse_fuzzer int_file_fuzzer transfer_fuzzer >/dev/null
rm -f "$build"/*.profraw
for name in parse int_file transfer; do
  LLVM_PROFILE_FILE="$(realpath "$build")/$name.profraw" \
    "$build/bin/${name}_fuzzer" -runs=0 "$root/$name" >/dev/null 2>&1
done
llvm-profdata merge -o "$build/fuzz.profdata" "$build"/*.profraw
objects=()
for name in parse int_file transfer; do objects+=(-object "$build/bin/${name}_fuzzer"); done
llvm-cov report "${objects[@]:1}" -instr-profile="$build/fuzz.profdata" src/
