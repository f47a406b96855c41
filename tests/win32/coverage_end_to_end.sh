#!/usr/bin/env bash
# The view of screens of the Windows program under Wine on a virtual X
# screen, driven with keys as a user would: Menu > Check screens..., select
# rows (the pictures show, or the placeholder for a file that is no
# picture), switch the filter, save the list as CSV through the save
# dialog, put the view away, switch the main window to French, open the
# view again (in French), filter, quit. The
# CSV is compared with what the layouts folder must give; the layouts are
# compared byte for byte with the tree before (the view changes nothing).
# Two screens are built to be slow or huge to decode (a progressive JPEG of
# 64 scans, a GIF whose frame dwarfs its screen): the arrow keys go past them
# without waiting, and the program quits while one decodes.
#   coverage_end_to_end.sh PROGRAM.exe WINEPREFIX [SCREENSHOT_FOLDER]
# The screenshots are for people to look at; nothing depends on their pixels.
set -euo pipefail
. "$(dirname "$0")/wine_desk.sh"

# --- the scene: four layouts, real pictures, one file that is no picture ---
prog=$work/prog
mkdir -p "$prog" "$work/layouts/Alpha" "$work/layouts/Beta" "$work/layouts/Gamma, the third" \
    "$work/layouts/Delta" "$work/layouts/Epsilon" "$work/layouts/Zeta" "$work/screens"
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
def segment(marker, payload):
    return b"\xff" + bytes((marker,)) + struct.pack(">H", len(payload) + 2) + payload
def entropy(bits):
    bits += "1" * (-len(bits) % 8)
    data = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
    return data.replace(b"\xff", b"\xff\x00")
def slow_jpeg(path, size, scans):
    blocks = ((size + 7) // 8) ** 2
    runs, left = "", blocks
    while left:
        run = min(left, 32767)
        bits = run.bit_length() - 1
        runs += format(bits, "04b") + (format(run - (1 << bits), "0%db" % bits) if bits else "")
        left -= run
    def scan(first, last, data):
        return segment(0xDA, bytes((1, 1, 0, first, last, 0))) + data
    jpeg = (b"\xff\xd8" + segment(0xDB, b"\0" + b"\1" * 64)
            + segment(0xC2, struct.pack(">BHHB", 8, size, size, 1) + b"\x01\x11\x00")
            + segment(0xC4, b"\x00\x01" + b"\0" * 15 + b"\x00")
            + segment(0xC4, b"\x10\0\0\0\x0f" + b"\0" * 12 + bytes(r << 4 for r in range(15)))
            + scan(0, 0, entropy("0" * blocks)) + scan(1, 63, entropy(runs)) * (scans - 1))
    open(path, "wb").write(jpeg + b"\xff\xd9")
slow_jpeg(work + "/screens/Epsilon.png", 4000, 64)
gif = (b"GIF89a" + struct.pack("<HHBBB", 1, 1, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff"
       + b"\x2c" + struct.pack("<HHHHB", 0, 0, 8000, 8000, 0) + b"\x02\x01\x2c\x00\x3b")
open(work + "/screens/Zeta.png", "wb").write(gif)
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
# Down through the slow and the huge screens without a pause: the list
# follows the keys at once, the panes say "loading" until their picture is
# ready.
keys_to "$view" Home Down Down Down Down Up
shot coverage-moving-fast
sleep 3
shot coverage-after-the-decode
keys_to "$view" Home

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

# The filter off again, down to the slow screen, and quit while it decodes.
keys_to '^V.+rifier les screens$' space Tab Home Down Down Down
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
Epsilon,Epsilon.png,no,copy
Zeta,Zeta.png,no,copy
Layout,Screen to copy,loading.png,The install will
CSV
)
actual=$(tail -c +4 "$work/list.csv" | tr -d '\r' | LC_ALL=C sort)
[ "$actual" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
    fail "list differs:$(diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual"))"
[ "$(snapshot)" = "$before" ] || fail "the view changed the layouts"
echo "coverage end to end: ok"
