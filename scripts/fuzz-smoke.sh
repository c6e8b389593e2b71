#!/usr/bin/env bash
# Runs each fuzzer of a built fuzz leg for a bounded time, on a working copy of its seed
# corpus, and fails when any of them finds a crash or a broken invariant.
#   scripts/fuzz-smoke.sh [SECONDS] [BUILD_DIR]     (defaults: 60, build/fuzz)
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=$(realpath "${2:-build/fuzz}")
failed=0
for name in parse int_file transfer; do
  work="$build/fuzz-run/$name"
  rm -rf "$work" && mkdir -p "$work/corpus" "$work/findings"
  cp "fuzz/corpus/$name/"* "$work/corpus/"
  echo "=== ${name}_fuzzer for ${seconds}s"
  if ASAN_OPTIONS=halt_on_error=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
     "$build/bin/${name}_fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
       -print_final_stats=1 -artifact_prefix="$work/findings/" "$work/corpus" >"$work/log" 2>&1; then
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|cov:' "$work/log" | tail -n 2
  else
    failed=1
    echo "${name}_fuzzer FAILED; its log ($work/log) ends:"
    tail -n 30 "$work/log"
  fi
done
exit "$failed"
