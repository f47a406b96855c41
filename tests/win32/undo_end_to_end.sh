#!/usr/bin/env bash
# The Windows program's undo under Wine on a virtual X screen, driven with
# keys as a user would: install with Overwrite (Alt+I), then Menu > Undo
# last install, Yes. The layouts must then be byte for byte what they were
# before the install, the log must tell each step, and the store must be gone.
#   undo_end_to_end.sh PROGRAM.exe WINEPREFIX [SCREENSHOT_FOLDER]
set -euo pipefail
. "$(dirname "$0")/wine_desk.sh"

# --- the scene: Alpha and Gamma have screens of their own, Beta has none ---
prog=$work/prog
mkdir -p "$prog" "$work/layouts/Alpha" "$work/layouts/Beta" "$work/layouts/Gamma" "$work/screens"
cp "$exe" "$prog/"
printf 'old alpha' >"$work/layouts/Alpha/loading.png"
printf 'old gamma' >"$work/layouts/Gamma/loading.png"
printf 'new alpha' >"$work/screens/Alpha.png"
printf 'new beta' >"$work/screens/Beta.png"
layouts="$(win "$work/layouts")\\"
screens="$(win "$work/screens")\\"
printf '[OrvanePatchLayouts]\r\nLanguage=0\r\nLayoutsPath=%s\r\nSourcePath=%s\r\n' "$layouts" "$screens" \
    >"$prog/OrvanePatchLayouts.ini"
printf 'OverWrite=1\r\nUseDefault=0\r\nURL=http://127.0.0.1:9/loadscr.zip\r\n' >>"$prog/OrvanePatchLayouts.ini"
tree() { (cd "$work/layouts" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(tree)

start_screen


(cd "$prog" && exec wine OrvanePatchLayouts.exe) &
program_pid=$!
wait_for "$main" >/dev/null

keys_to "$main" alt+i
wait_for "$box" >/dev/null
[ "$(cat "$work/layouts/Alpha/loading.png")" = "new alpha" ] || fail "Alpha not overwritten"
[ "$(cat "$work/layouts/Beta/loading.png")" = "new beta" ] || fail "Beta not installed"
answer Return # "2 copies."

keys_to "$main" F10 Down Down Down # Menu, on "&Undo last install"
sleep 0.5
shot undo-menu
xdotool key Return
wait_for "$box" >/dev/null
shot undo-question
answer Return # "Put back 1 loading screen and remove 1 copy?"  Yes
wait_for "$box" >/dev/null
shot undo-result
answer Return # "Undo finished: ..."

[ "$(tree)" = "$before" ] || fail "the layouts differ after the undo:$(diff <(echo "$before") <(tree))"
[ ! -e "$prog/Undo" ] || fail "the undo store is still there"

keys_to "$main" ctrl+q
for _ in $(seq 1 50); do
    kill -0 "$program_pid" 2>/dev/null || break
    [ -n "$(visible "$box")" ] && answer Return # the clean-up question, if any
    sleep 0.1
done
wait "$program_pid" || fail "the program did not end cleanly"

log=$(tr -d '\r' <"$prog/OrvanePatchLayouts.log.txt" |
    sed -E 's/^[0-9]{1,2}:[0-9]{2}:[0-9]{2}( ?[AaPp]\.?[Mm]\.?)? /T /')
expected=$(
    cat <<LOG
T Undo last install
 LayoutsPath=$layouts
  Beta  copy removed
  Alpha  put back
Total: 1 put back, 1 copies removed, 0 left.
LOG
)
# The install's layouts come in the order Windows lists them; the undo
# takes them back in the reverse order.
[[ $log == *"$expected"* ]] || [[ $log == *"T Undo last install"*"Alpha  put back"*"Beta  copy removed"*"0 left."* ]] ||
    fail "the log lacks the undo:$(echo; echo "$log")"
echo "undo end to end: ok"
