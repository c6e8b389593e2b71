#!/usr/bin/env bash
# Builds and tests every leg whose tools this machine has, and says which it skipped and why.
#   scripts/run-legs.sh [--require-all] [LEG ...]
# With --require-all a skipped leg fails the run (CI sets every leg up first). Without LEG
# arguments every leg runs. Each leg is a CMake workflow preset of the same name; the fuzz leg
# then runs each fuzzer for ZELSTR_FUZZ_SECONDS (default 60).
set -uo pipefail
cd "$(dirname "$0")/.."

require_all=0
if [ "${1:-}" = "--require-all" ]; then require_all=1; shift; fi
all_legs=(default linux32 win32-dll win32-run asan tsan fuzz bench)
legs=("$@")
[ "${#legs[@]}" -gt 0 ] || legs=("${all_legs[@]}")

have() { command -v "$1" >/dev/null 2>&1; }
probe_dir=$(mktemp -d)
trap 'rm -rf "$probe_dir"' EXIT
can_m32() {
  echo 'int main() { return 0; }' >"$probe_dir/p.cpp"
  g++ -m32 "$probe_dir/p.cpp" -o "$probe_dir/p32" >/dev/null 2>&1
}
can_fuzz() {
  echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' >"$probe_dir/f.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$probe_dir/f.cpp" -o "$probe_dir/f" >/dev/null 2>&1
}
can_run_i386() { [ -x "$probe_dir/p32" ] && "$probe_dir/p32" >/dev/null 2>&1; }

# Prints why a leg cannot run here, or nothing when it can.
missing_for() {
  case "$1" in
    default|asan|tsan) have g++ && have cmake || echo "g++ or cmake missing" ;;
    linux32)
      have qemu-i386 || { echo "qemu-i386 missing (package qemu-user)"; return; }
      can_m32 || { echo "g++ -m32 cannot link (package g++-multilib)"; return; }
      [ -d /usr/src/googletest ] || echo "GoogleTest sources missing (package googletest)" ;;
    win32-dll)
      have i686-w64-mingw32-g++-posix || { echo "mingw-w64 i686 missing (package g++-mingw-w64-i686)"; return; }
      have i686-w64-mingw32-dlltool || echo "dlltool missing (package binutils-mingw-w64-i686)" ;;
    win32-run)
      [ -z "$(missing_for win32-dll)" ] || { missing_for win32-dll; return; }
      have wine || { echo "wine missing (packages wine, wine32:i386)"; return; }
      can_m32 && can_run_i386 || echo "this kernel cannot start 32-bit programs: run scripts/setup-platforms.sh" ;;
    bench) have g++ && dpkg -s libbenchmark-dev >/dev/null 2>&1 || echo "Google Benchmark missing (package libbenchmark-dev)" ;;
    fuzz) have clang++ && can_fuzz || echo "clang++ with libFuzzer missing (packages clang, libclang-rt-14-dev)" ;;
    *) echo "no such leg" ;;
  esac
}

declare -A outcome seconds
failed=0
for leg in "${legs[@]}"; do
  why=$(missing_for "$leg")
  if [ -n "$why" ]; then
    outcome[$leg]="skipped: $why"
    [ "$require_all" = 1 ] && failed=1
    echo "=== $leg: skipped ($why)"
    continue
  fi
  echo "=== $leg"
  start=$(date +%s)
  rm -rf "build/$leg"
  if cmake --workflow --preset "$leg"; then
    outcome[$leg]=passed
  else
    outcome[$leg]=FAILED
    failed=1
  fi
  # The fuzz leg replays the seed corpora as tests, then fuzzes each harness for a while.
  if [ "$leg" = fuzz ] && [ "${outcome[$leg]}" = passed ] &&
     ! bash scripts/fuzz-smoke.sh "${ZELSTR_FUZZ_SECONDS:-60}" "build/$leg"; then
    outcome[$leg]=FAILED
    failed=1
  fi
  if [ "$leg" = win32-dll ] && [ "${outcome[$leg]}" = passed ]; then
    cmake --install "build/$leg" --prefix "build/$leg/release" >/dev/null &&
      echo "release artefacts: $(ls "build/$leg/release" | tr '\n' ' ')in build/$leg/release"
  fi
  seconds[$leg]=$(( $(date +%s) - start ))
done

echo
echo "=== legs"
for leg in "${legs[@]}"; do
  printf '%-10s %-8s %s\n' "$leg" "${seconds[$leg]:+${seconds[$leg]}s}" "${outcome[$leg]}"
done
exit "$failed"
