#!/usr/bin/env bash
# The view of screens of the Windows program under Wine on a virtual X
# screen, driven with keys as a user would: Menu > Check screens..., select
# rows (the pictures show, or the placeholder for a file that is no
# picture), switch the filter, save the list as CSV through the save
# dialog, put the view away, switch the main window to French, open the
# view again (in French), filter, quit. The
# CSV is compared with what the layouts folder must give; the layouts are
# compared byte for byte with the tree before (the view changes nothing).
#   coverage_end_to_end.sh PROGRAM.exe WINEPREFIX [SCREENSHOT_FOLDER]
# The screenshots are for people to look at; nothing depends on their pixels.
set -euo pipefail
. "$(dirname "$0")/wine_desk.sh"

# --- the scene: four layouts, real pictures, one file that is no picture ---
prog=$work/prog
mkdir -p "$prog" "$work/layouts/Alpha" "$work/layouts/Beta" "$work/layouts/Gamma, the third" \
    "$work/layouts/Delta" "$work/screens"
cp "$exe" "$prog/"
python3 - "$work" <<'PY'
import struct, sys, zlib
work = sys.argv[1]
def png(path, width, height, colour):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    rows = b"".join(
        b"\0" + b"".join(bytes((colour[0] * x // width, colour[1] * y // height, colour[2]))
                         for x in range(width))
        for y in range(height))
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
    open(path, "wb").write(data)
png(work + "/screens/Alpha.png", 640, 480, (255, 160, 40))
png(work + "/screens/beta.png", 800, 600, (40, 200, 255))
png(work + "/layouts/Beta/loading.png", 320, 240, (200, 40, 200))
open(work + "/layouts/Delta/loading.png", "w").write("not a picture")
PY
snapshot() { (cd "$work/layouts" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before=$(snapshot)
layouts="$(win "$work/layouts")\\"
screens="$(win "$work/screens")\\"
printf '[OrvanePatchLayouts]\r\nLanguage=0\r\nLayoutsPath=%s\r\nSourcePath=%s\r\n' "$layouts" "$screens" \
    >"$prog/OrvanePatchLayouts.ini"
printf 'OverWrite=0\r\nUseDefault=0\r\nURL=http://127.0.0.1:9/loadscr.zip\r\n' >>"$prog/OrvanePatchLayouts.ini"

start_screen

view='^Check screens$'

(cd "$prog" && exec wine OrvanePatchLayouts.exe) &
program_pid=$!

keys_to "$main" F10 Down Down Return # Menu > Check screens...
wait_for "$view" >/dev/null
sleep 1
keys_to "$view" Home # the list has the focus; its first row
sleep 1
shot coverage-first-row
for row in 1 2 3; do
    keys_to "$view" Down
    sleep 1
    shot "coverage-row-$row"
done

# Save list...: the button after the list, then the dialog's file name.
keys_to "$view" Tab Return
wait_for '^Save list\.\.\.$' >/dev/null
sleep 1
keys_to '^Save list\.\.\.$' ctrl+a
xdotool type --delay 20 "$(win "$work/list.csv")"
xdotool key Return
for _ in $(seq 1 100); do [ -s "$work/list.csv" ] && break; sleep 0.1; done
[ -s "$work/list.csv" ] || fail "the list was not saved"

# Escape puts the view away; the language switch reaches it all the same,
# and the menu brings it back in French.
keys_to "$view" Escape
wait_gone "$view"
keys_to "$main" F10 Down Right Down Return # Menu > Language > Français
keys_to "$main" F10 Down Down Return       # Menu > Check screens...
keys_to '^V.+rifier les screens$' shift+Tab space # the filter, above the list
sleep 1
shot coverage-french-filter

keys_to "$main" ctrl+q
wait "$program_pid" || fail "the program did not end cleanly"

# --- the list: a byte-order mark, the header, one line per layout ---
head -c 3 "$work/list.csv" | od -An -tx1 | grep -q 'ef bb bf' || fail "no byte-order mark"
expected=$(
    cat <<CSV
"Gamma, the third",none,no,nothing (no screen found)
Alpha,Alpha.png,no,copy
Beta,none,yes,skip (already has one)
Delta,none,yes,skip (already has one)
Layout,Screen to copy,loading.png,The install will
CSV
)
actual=$(tail -c +4 "$work/list.csv" | tr -d '\r' | LC_ALL=C sort)
[ "$actual" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
    fail "list differs:$(diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual"))"
[ "$(snapshot)" = "$before" ] || fail "the view changed the layouts"
echo "coverage end to end: ok"
