#!/usr/bin/env bash
# The Windows program end to end under Wine on a virtual X screen, driven
# with keys as a user would: accept the offer to unzip at start (the archive
# holds one entry that would leave its folder, so the unzip window reports
# it), install (Alt+I), delete (Alt+E, Yes), switch to French from the menu,
# quit (Ctrl+Q) and accept the clean-up. Then the whole log, the settings
# file and the files on disk are compared with what they must be. A second
# start switches back to English and ends with the session (log-off).
#   form1_end_to_end.sh PROGRAM.exe WINEPREFIX [SCREENSHOT_FOLDER]
# The screenshots (main window in English and French, the unzip window) are
# for people to look at; nothing here depends on their pixels.
set -euo pipefail
. "$(dirname "$0")/wine_desk.sh"

# --- the scene: a program folder with its archive, layouts and screens ---
prog=$work/prog
mkdir -p "$prog" "$work/layouts/Alpha" "$work/layouts/Beta" "$work/layouts/Gamma" "$work/screens"
cp "$exe" "$prog/"
printf 'alpha' >"$work/screens/Alpha.png"
printf 'beta' >"$work/screens/beta.png"
(cd "$work/screens" && printf 'x' >../evil.png && mkdir -p in && printf 'i' >in/Inner.png &&
    python3 - <<'PY'
import os, zipfile
# Enough stored data for the unzip window to stay a moment on the screen;
# the entry that would leave its folder comes last.
with zipfile.ZipFile("../prog/loadscr.zip", "w") as archive:
    for number in range(200):
        archive.writestr("Screen%03d.png" % number, os.urandom(200_000))
    archive.write("in/Inner.png", "Inner.png")
    archive.write("../evil.png", "../escape.png")
PY
    rm -rf in ../evil.png)
layouts="$(win "$work/layouts")\\"
screens="$(win "$work/screens")\\"
settings() {
    printf '[OrvanePatchLayouts]\r\nLanguage=%s\r\nLayoutsPath=%s\r\nSourcePath=%s\r\n' "$1" "$layouts" "$screens"
    printf 'OverWrite=0\r\nUseDefault=0\r\nURL=http://127.0.0.1:9/loadscr.zip\r\n'
}
settings 0 >"$prog/OrvanePatchLayouts.ini"

start_screen

(cd "$prog" && exec wine OrvanePatchLayouts.exe) &
program_pid=$!

wait_for "$main" >/dev/null
answer Return # "Do you want to unzip the loading screens ?"  Yes
wait_for '^Unzip with zLib$' >/dev/null
shot unzip-window
wait_for "$box" >/dev/null # error 14: the entry that leaves the folder
answer Return
wait_gone '^Unzip with zLib$'
shot main-english

keys_to "$main" alt+i
wait_for "$box" >/dev/null
[ "$(cat "$work/layouts/Alpha/loading.png")" = alpha ] || fail "Alpha not installed"
[ "$(cat "$work/layouts/Beta/loading.png")" = beta ] || fail "Beta not installed"
answer Return # "2 copies."

keys_to "$main" alt+e
answer Return # "Do you confirm you want to delete all loading screens ?"  Yes
answer Return # "2 files deleted."

keys_to "$main" F10 Down Right Down Return # Menu > Language > Français
sleep 1
shot main-french

keys_to "$main" ctrl+q
answer Return # the clean-up question, in French: Oui
wait "$program_pid" || fail "the program did not end cleanly"

# --- what the run left behind ---
expected_log=$(
    cat <<LOG
T Start
 
T Install loading screens
 LayoutsPath =$layouts
 SourcePath  =$screens
 Overwrite   =0
 UseDefault  =0
  Alpha  Ok (not a PNG)
  Beta  Ok (not a PNG)
Total: 2 copies.
 
T Delete all loading screens
 LayoutsPath=$layouts
Delete ${layouts}Alpha\\loading.png
Delete ${layouts}Beta\\loading.png
Total: 2 files deleted.
Deleted : $(win "$prog")\\Screens
T END
LOG
)
# The time of day is written in the user's format ("15:04:05", "3:04:05 PM").
actual_log=$(tr -d '\r' <"$prog/OrvanePatchLayouts.log.txt" |
    sed -E 's/^[0-9]{1,2}:[0-9]{2}:[0-9]{2}( ?[AaPp]\.?[Mm]\.?)? /T /')
[ "$actual_log" = "$expected_log" ] ||
    fail "log differs:$(diff <(echo "$expected_log") <(echo "$actual_log"))"
[ "$(cat "$prog/OrvanePatchLayouts.ini")" = "$(settings 1)" ] ||
    fail "settings differ: $(cat -A "$prog/OrvanePatchLayouts.ini")"
for layout in Alpha Beta Gamma; do
    [ ! -e "$work/layouts/$layout/loading.png" ] || fail "$layout keeps a loading.png"
done
[ ! -e "$prog/Screens" ] || fail "the unzipped screens were not cleaned up"
[ ! -e "$work/escape.png" ] || fail "an entry left its folder"
[ -f "$prog/loadscr.zip" ] || fail "the archive was deleted"
[ "$(cat "$work/screens/Alpha.png")" = alpha ] || fail "a source screen changed"

# --- log-off: the end of the session saves as a close does, and asks nothing ---
rm "$prog/loadscr.zip" # no offer to unzip at this start
(cd "$prog" && exec wine OrvanePatchLayouts.exe) &
program_pid=$!
keys_to "$main" F10 Down Right Return # Menu > Langue > English
sleep 1
wineboot --end-session --force
for _ in $(seq 1 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the program outlived the session"
[ "$(cat "$prog/OrvanePatchLayouts.ini")" = "$(settings 0)" ] ||
    fail "settings at the session's end differ: $(cat -A "$prog/OrvanePatchLayouts.ini")"
# Each start begins the log anew.
last=$(tr -d '\r' <"$prog/OrvanePatchLayouts.log.txt" | tail -1)
[[ $last == *" END" ]] || fail "no END at the session's end (last line: $last)"
echo "end to end: ok"
