#!/usr/bin/env bash
# Runs a 32-bit Windows program under Wine in a private 32-bit prefix inside the build tree
# (ZELSTR_WINEPREFIX, else ./wineprefix). The first run creates the prefix, once, under a lock.
set -euo pipefail
export WINEARCH=win32
export WINEDEBUG=-all
export WINEPREFIX=${ZELSTR_WINEPREFIX:-$PWD/wineprefix}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
    wineserver --wait || true
  ) 9>"$WINEPREFIX.lock"
fi
exec wine "$@"
