#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The first run creates the prefix (under a lock, as CTest starts tests side
# by side). A lingering wineserver spares every later run the server's start.
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        [ -f "$WINEPREFIX/system.reg" ] || { wineboot --init && wineserver --wait; } >/dev/null 2>&1
    ) 9>"$WINEPREFIX.lock"
fi
wineserver --persistent=30 >/dev/null 2>&1 || true
exec wine "$@"
