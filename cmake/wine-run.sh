#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix:
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The first run creates the prefix (under a lock, as CTest starts tests side
# by side). A lingering wineserver spares every later run the server's start.
# Wine takes the Windows locale from LANG and keeps it in the prefix's
# registry: each locale but C gets a prefix of its own (PREFIX-fr_FR).
set -euo pipefail
locale=${LC_ALL:-${LANG:-C}}
locale=${locale%%.*}
case $locale in C | POSIX) export WINEPREFIX="$1" ;; *) export WINEPREFIX="$1-$locale" ;; esac
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
# Wine's Recycle Bin is the host's freedesktop.org Trash: the prefix's own.
export XDG_DATA_HOME="$WINEPREFIX/xdg-data"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        [ -f "$WINEPREFIX/system.reg" ] || { wineboot --init && wineserver --wait; } >/dev/null 2>&1
    ) 9>"$WINEPREFIX.lock"
fi
wineserver --persistent=30 >/dev/null 2>&1 || true

# Now and then Wine exits at once, having run nothing and said nothing; every
# program run here prints something, so such a run is tried once more.
# Standard output streams through as it comes; standard error follows it.
errors=$(mktemp)
printed=$(mktemp)
trap 'rm -f "$errors" "$printed"' EXIT
for attempt in 1 2; do
    status=0
    wine "$@" 2>"$errors" | tee "$printed" || status=${PIPESTATUS[0]}
    cat "$errors" >&2
    if [ "$status" -eq 0 ] || [ -s "$printed" ] || [ -s "$errors" ] || [ "$attempt" -eq 2 ]; then
        exit "$status"
    fi
    echo "wine-run.sh: Wine ended at once (status $status) without running the program; once more" >&2
done
