#!/usr/bin/env bash
# A second start of the program, while one copy runs from the same folder,
# ends at once without a window and without touching the log or the settings,
# whatever runtime folder each copy was given.
set -euo pipefail
program="$1"
work=$(mktemp -d)
first=""
# The first copy saves its settings as it closes: let it finish first.
cleanup() {
    if [ -n "$first" ]; then
        kill "$first" 2>/dev/null || true
        wait "$first" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

cp "$program" "$work/OrvanePatchLayouts"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
"$work/OrvanePatchLayouts" &
first=$!
log="$work/OrvanePatchLayouts.log.txt"
for _ in $(seq 100); do
    [ -s "$log" ] && break
    sleep 0.1
done
[ -s "$log" ] || { echo "first copy wrote no log"; exit 1; }
before=$(cat "$log")

mkdir "$work/runtime"
status=0
XDG_RUNTIME_DIR="$work/runtime" timeout 20 "$work/OrvanePatchLayouts" || status=$?
[ "$status" -eq 0 ] || { echo "second copy exited with $status"; exit 1; }
[ "$(cat "$log")" = "$before" ] || { echo "second copy touched the log"; exit 1; }
[ ! -e "$work/OrvanePatchLayouts.ini" ] || { echo "second copy wrote settings"; exit 1; }
kill -0 "$first" || { echo "first copy died"; exit 1; }
echo "second start ended at once; log untouched"
