#!/usr/bin/env bash
# A second start of the program, while one copy runs from the same folder,
# ends at once without a window and without touching the log or the settings,
# whatever runtime folder each copy was given; it asks the first copy, through
# the local socket that copy listens on (this user's only), to come to the
# front. The window coming to the front is tested with the window tests.
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
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" TMPDIR="$work"
"$work/OrvanePatchLayouts" &
first=$!
log="$work/OrvanePatchLayouts.log.txt"
# The copy listens once its window is up, after its log's first lines: a
# loaded machine may take a while between the two.
socket=""
for _ in $(seq 200); do
    socket=$(find "$work" -maxdepth 1 -type s -name 'OrvanePatchLayouts-*' | head -1)
    [ -s "$log" ] && [ -n "$socket" ] && break
    sleep 0.1
done
[ -s "$log" ] || { echo "first copy wrote no log"; exit 1; }
before=$(cat "$log")
[ -n "$socket" ] || { echo "first copy does not listen for a second start"; exit 1; }
[ "$(stat -c %a "$socket")" = 700 ] || { echo "other users may reach $socket"; exit 1; }

mkdir "$work/runtime"
status=0
XDG_RUNTIME_DIR="$work/runtime" timeout 20 "$work/OrvanePatchLayouts" || status=$?
[ "$status" -eq 0 ] || { echo "second copy exited with $status"; exit 1; }
[ "$(cat "$log")" = "$before" ] || { echo "second copy touched the log"; exit 1; }
[ ! -e "$work/OrvanePatchLayouts.ini" ] || { echo "second copy wrote settings"; exit 1; }
kill -0 "$first" || { echo "first copy died"; exit 1; }
[ -S "$socket" ] || { echo "second copy took the first copy's socket away"; exit 1; }

# With nobody listening (a first copy that lost its socket) it still ends at once.
mv "$socket" "$socket.away"
status=0
timeout 20 "$work/OrvanePatchLayouts" || status=$?
[ "$status" -eq 0 ] || { echo "second copy without a listener exited with $status"; exit 1; }
mv "$socket.away" "$socket"
echo "second start ended at once; log untouched"
