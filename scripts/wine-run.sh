#!/usr/bin/env bash
# Runs a 32-bit Windows program under Wine in a private 32-bit prefix inside the build tree
# (ZELSTR_WINEPREFIX, which the presets set; else one under the temporary directory, never in
# the source tree) and passes on its output and exit status.
# The first run creates the prefix, once, under a lock.
set -uo pipefail
export WINEARCH=win32
export WINEDEBUG=-all
export WINEPREFIX=${ZELSTR_WINEPREFIX:-${TMPDIR:-/tmp}/zelstr-wineprefix}
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  [ -f "$WINEPREFIX/system.reg" ] || wineboot --init </dev/null >/dev/null 2>&1 9>&-
) 9>"$WINEPREFIX.lock"

# One wineserver for a whole test run (it stays 60 s after its last program; when one is
# running already this returns at once).
wineserver -p60 </dev/null >/dev/null 2>&1 || true

# Wine's own background processes outlive the program and inherit its output: through files
# nobody waits for them, as a reader of a pipe would until they end.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
wine "$@" >"$scratch/out" 2>"$scratch/err"
status=$?
cat "$scratch/out"
cat "$scratch/err" >&2
exit "$status"
