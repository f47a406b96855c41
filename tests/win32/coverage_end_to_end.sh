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
shot coverage-opened # the first row selected, its pictures at the panes' size
# Alpha's gradient brings thousands of colours; the window alone has < 100.
colours=$(import -window root png:- | convert - -format %k info:)
[ "$colours" -gt 1000 ] || fail "the first row's picture is not shown when the view opens"
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
keys_to '^V.+rifier les screens$' shift+Tab shift+Tab space # the filter, above the list
sleep 1
shot coverage-french-filter

# The filter off again, down to the slow screen, and quit while it decodes.
keys_to '^V.+rifier les screens$' space Tab Tab Home Down Down Down
keys_to "$main" ctrl+q
wait "$program_pid" || fail "the program did not end cleanly"

# --- the list: a byte-order mark, the header, one line per layout ---
head -c 3 "$work/list.csv" | od -An -tx1 | grep -q 'ef bb bf' || fail "no byte-order mark"
# The fields part with the regional list separator; a field that holds it
# is quoted.
case $locale in fr*) sep=';' gamma='Gamma, the third' ;; *) sep=',' gamma='"Gamma, the third"' ;; esac
expected=$(
    sed "s/,/$sep/g" <<CSV
GAMMA,none,,,no,nothing (no screen found)
Alpha,Alpha.png,its own name,PNG 640 x 480,no,copy
Beta,beta.png,its own name,PNG 800 x 600,yes,skip (already has one)
Delta,none,,,yes,skip (already has one)
Epsilon,Epsilon.png,its own name,JPEG named .png,no,copy
Zeta,Zeta.png,its own name,too large,no,copy
Layout,Screen to copy,Found by,Picture,loading.png,The install will
CSV
)
expected=${expected/GAMMA/$gamma}
actual=$(tail -c +4 "$work/list.csv" | tr -d '\r' | LC_ALL=C sort)
[ "$actual" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
    fail "list differs:$(diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual"))"
[ "$(snapshot)" = "$before" ] || fail "the view changed the layouts"

# --- near names: proposals accepted one by one and by rule, a screen picked
# by hand, the install copies what was linked, the undo takes it away ---
near=$work/near
mkdir -p "$near/prog" "$near/screens"
cp "$exe" "$near/prog/"
for layout in "Alpha" "Sonic & Knuckles" "Tails & Knuckles" "Legend of Zelda, The (USA)" \
    "Street Fighter II"; do
    mkdir -p "$near/layouts/$layout"
done
for screen in "Alpha" "Sonic _ Knuckles" "Tails _ Knuckles" "The Legend of Zelda" \
    "Street Fighter 3"; do
    printf 'screen %s' "$screen" >"$near/screens/$screen.png"
done
printf '[OrvanePatchLayouts]\r\nLanguage=0\r\nLayoutsPath=%s\\\r\nSourcePath=%s\\\r\n' \
    "$(win "$near/layouts")" "$(win "$near/screens")" >"$near/prog/OrvanePatchLayouts.ini"
printf 'OverWrite=0\r\nUseDefault=0\r\nURL=http://127.0.0.1:9/loadscr.zip\r\n' \
    >>"$near/prog/OrvanePatchLayouts.ini"

(cd "$near/prog" && exec wine OrvanePatchLayouts.exe) &
program_pid=$!
keys_to "$main" F10 Down Down Return # Menu > Check screens...
keys_to "$view" End
shot near-names-listed
# Typing a layout's first letters selects it wherever it is in the list.
find_row() {
    sleep 1.5 # the list starts a new search after a pause
    keys_to "$view" "$@"
    sleep 0.5
}
find_row l e g alt+a # Accept: "The Legend of Zelda"
find_row s o n alt+r # Accept all by this rule: both "& read as _"
find_row s t r alt+p # Pick a screen...: the file dialog in the screens folder
keys_to '^Pick a screen\.\.\.$' ctrl+a
xdotool type --delay 20 "$(win "$near/screens/Street Fighter 3.png")"
xdotool key Return
wait_gone '^Pick a screen\.\.\.$'
sleep 1
shot near-names-linked
links=$(tr -d '\r' <"$near/prog/ScreenLinks.csv" 2>/dev/null) || fail "no links file"
for pair in "Legend of Zelda, The (USA)|The Legend of Zelda" "Sonic & Knuckles|Sonic _ Knuckles" \
    "Tails & Knuckles|Tails _ Knuckles" "Street Fighter II|Street Fighter 3"; do
    grep -F "${pair%%|*}" <<<"$links" | grep -qF "${pair##*|}" || fail "not linked: $pair:$(echo; echo "$links")"
done

keys_to "$view" Escape # the main window's keys go to it alone
wait_gone "$view"
keys_to "$main" alt+i # Install
wait_for "$box" >/dev/null
answer Return
sleep 1
shot near-names-installed
for pair in "Alpha|Alpha" "Sonic & Knuckles|Sonic _ Knuckles" "Tails & Knuckles|Tails _ Knuckles" \
    "Legend of Zelda, The (USA)|The Legend of Zelda" "Street Fighter II|Street Fighter 3"; do
    cmp -s "$near/screens/${pair##*|}.png" "$near/layouts/${pair%%|*}/loading.png" ||
        fail "${pair%%|*} lacks its linked screen"
done

keys_to "$main" F10 Down Down Down Return # Menu > Undo last install
answer Return                             # Yes
answer Return                             # Undo finished
left=$(find "$near/layouts" -type f)
[ -z "$left" ] || fail "the undo left: $left"

# A second start ends at once and touches neither the log nor the
# settings. (It also brings the first copy forward; with no window manager
# on this screen, Wine does not move the keyboard focus for it.)
keys_to "$main" F10 Down Down Return # Menu > Check screens...
wait_for "$view" >/dev/null
files_before=$(md5sum "$near/prog"/*.ini "$near/prog"/*.txt)
(cd "$near/prog" && timeout 60 wine OrvanePatchLayouts.exe) || fail "the second copy did not end"
[ "$(md5sum "$near/prog"/*.ini "$near/prog"/*.txt)" = "$files_before" ] ||
    fail "the second copy touched the log or the settings"
keys_to "$main" ctrl+q
wait "$program_pid" || fail "the program did not end cleanly"
echo "coverage end to end: ok"
