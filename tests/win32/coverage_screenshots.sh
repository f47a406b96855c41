#!/usr/bin/env bash
# Screenshots of the view of screens for people to look at (nothing is
# checked): 2,000 layouts with near names, screens with names a little
# different, pictures that are no PNG. Run it with LANG and ORVANE_WINE_DPI
# set as the look wanted (e.g. LANG=fr_FR.UTF-8 ORVANE_WINE_DPI=144).
#   coverage_screenshots.sh PROGRAM.exe WINEPREFIX SCREENSHOT_FOLDER
set -euo pipefail
. "$(dirname "$0")/wine_desk.sh"

prog=$work/prog
mkdir -p "$prog" "$work/screens"
cp "$exe" "$prog/"
python3 - "$work" <<'PY'
import os, struct, sys, zlib
work = sys.argv[1]
def png(width, height):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    rows = b"".join(b"\0" + bytes((40 + y % 200, 120, 220)) * width for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
near = {"Sonic & Knuckles": "Sonic _ Knuckles", "Legend of Zelda, The (USA)": "The Legend of Zelda",
        "Street Fighter II": "Street Fighter 3", "Pac-Man (Europe) [!]": "Pac-Man",
        "Pokemon Snap": "Pokémon Snap"}
for layout, screen in near.items():
    os.makedirs(f"{work}/layouts/{layout}")
    open(f"{work}/screens/{screen}.png", "wb").write(png(320, 240))
odd = {"Jpeg Game": b"\xff\xd8\xff\xe0" + b"\0" * 64, "Empty Game": b"", "Cut Game": png(320, 240)[:60]}
for index in range(2000 - len(near)):
    name = f"Game {index:04d}"
    os.makedirs(f"{work}/layouts/{name}")
    if index % 3:
        open(f"{work}/screens/{name}.png", "wb").write(png(64, 48))
for name, data in odd.items():
    os.makedirs(f"{work}/layouts/{name}", exist_ok=True)
    open(f"{work}/screens/{name}.png", "wb").write(data)
PY
printf '[OrvanePatchLayouts]\r\nLanguage=%s\r\nLayoutsPath=%s\\\r\nSourcePath=%s\\\r\n' \
    "$([[ ${LANG:-} == fr* ]] && echo 1 || echo 0)" "$(win "$work/layouts")" "$(win "$work/screens")" \
    >"$prog/OrvanePatchLayouts.ini"
printf 'OverWrite=0\r\nUseDefault=0\r\nURL=http://127.0.0.1:9/loadscr.zip\r\n' >>"$prog/OrvanePatchLayouts.ini"

start_screen
(cd "$prog" && exec wine OrvanePatchLayouts.exe) &
program_pid=$!
keys_to "$main" F10 Down Down Return
view='^(Check screens|V.+rifier les screens)$'
wait_for "$view" >/dev/null
sleep 3
suffix=${dpi:-96}-${locale}
shot "coverage-$suffix"
keys_to "$view" shift+Tab shift+Tab space # the filter, above the list
sleep 2
shot "coverage-attention-$suffix"
keys_to "$main" ctrl+q
wait "$program_pid"
