#!/usr/bin/env bash
# The Win32 window against the core alone under Wine, on a virtual X screen:
# install, undo of that install, delete, and the unzip offered at start, each
# done once through the real window (a key press on the button, timed until
# the result box shows, the progress drawn as it goes) and once by
# operations_bench.exe on an identical tree, alternating, RUNS times. Prints
# every run and the medians of window/core.
#   win32_window_bench.sh BUILD-FOLDER [layouts=3000] [runs=5] [WINEPREFIX]
# (the prefix defaults to BUILD-FOLDER/wineprefix-bench, kept apart from the
# tests' because the bench sets its windows unmanaged)
# BUILD-FOLDER is the windows preset's (build/windows), with the program and
# bench/operations_bench.exe built.
set -euo pipefail
build=$(cd "$1" && pwd)
layouts_count=${2:-3000}
runs=${3:-5}
. "$(dirname "$0")/../tests/win32/wine_desk.sh" "$build/src/win32/OrvanePatchLayouts.exe" \
    "${4:-$build/wineprefix-bench}"
core_exe=$build/bench/operations_bench.exe
[ -f "$core_exe" ] || fail "no $core_exe"

now() { date +%s.%N; }
since() { echo "$(now) - $1" | bc; }
# Polls more often than wait_for: the figures are seconds, not tenths.
box_other_than() {
    local id
    for _ in $(seq 1 30000); do
        id=$(visible "$box") || true
        [ -n "$id" ] && [ "$id" != "${1:-}" ] && { echo "$id"; return 0; }
        sleep 0.02
    done
    fail "no result box"
}
# Presses `keys` in the focused window `id`, then times until a box other
# than `id` shows; prints the seconds.
timed_keys() {
    local id=$1 t0
    shift
    xdotool windowfocus --sync "$id"
    sleep 0.3
    t0=$(now)
    xdotool key "$@"
    box_other_than "$id" >/dev/null
    since "$t0"
}

# --- one scene: screens for every layout, and an archive of as many files ---
mkdir -p "$work/screens"
python3 - "$work/screens" "$work/loadscr.zip" "$layouts_count" <<'PY'
import os, sys, zipfile
folder, archive, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as zipped:
    for number in range(count):
        data = os.urandom(60_000) + bytes(60_000)
        open(os.path.join(folder, "Layout %05d.png" % number), "wb").write(data)
        zipped.writestr("Layout %05d.png" % number, data)
PY
screens_win="$(win "$work/screens")\\"

# A program folder with its settings and a fresh tree of layout folders.
scene() {
    local top=$work/$1
    mkdir -p "$top/prog" "$top/layouts"
    (cd "$top/layouts" && seq -f "Layout %05g" 0 $((layouts_count - 1)) | xargs -d '\n' mkdir)
    cp "$exe" "$top/prog/"
    printf '[OrvanePatchLayouts]\r\nLanguage=0\r\nLayoutsPath=%s\\\r\nSourcePath=%s\r\n' \
        "$(win "$top/layouts")" "$screens_win" >"$top/prog/OrvanePatchLayouts.ini"
    printf 'OverWrite=0\r\nUseDefault=0\r\nURL=http://127.0.0.1:9/loadscr.zip\r\n' \
        >>"$top/prog/OrvanePatchLayouts.ini"
}

quit_program() {
    keys_to "$main" ctrl+q
    for _ in $(seq 1 100); do
        kill -0 "$1" 2>/dev/null || break
        [ -n "$(visible "$box")" ] && answer Return # the clean-up question, if any
        sleep 0.1
    done
    wait "$1" || true
}

window_run() {
    local top=$work/$1 pid id
    scene "$1"
    (cd "$top/prog" && exec wine OrvanePatchLayouts.exe) &
    pid=$!
    id=$(wait_for "$main")
    install=$(timed_keys "$id" alt+i)
    answer Return
    xdotool windowfocus --sync "$id"
    sleep 0.3
    xdotool key F10 Down Down Down Return # Menu > Undo last install
    id=$(wait_for "$box")
    undo=$(timed_keys "$id" Return) # Yes
    answer Return
    id=$(wait_for "$main")
    timed_keys "$id" alt+i >/dev/null
    answer Return
    xdotool windowfocus --sync "$id"
    sleep 0.3
    xdotool key alt+e
    id=$(wait_for "$box")
    delete=$(timed_keys "$id" Return) # Yes
    answer Return
    quit_program "$pid"
    # The unzip offered at start: from Yes until the unzip window is gone.
    cp "$work/loadscr.zip" "$top/prog/"
    (cd "$top/prog" && exec wine OrvanePatchLayouts.exe) &
    pid=$!
    id=$(wait_for "$box")
    xdotool windowfocus --sync "$id"
    sleep 0.3
    local t0
    t0=$(now)
    xdotool key Return
    wait_for '^Unzip with zLib$' >/dev/null
    while [ -n "$(visible '^Unzip with zLib$' || true)" ]; do sleep 0.02; done
    unzip=$(since "$t0")
    quit_program "$pid"
}

core() { wine "$core_exe" "$@" 2>/dev/null | tr -d '\r' | sed -n 's/^seconds //p'; }
core_run() {
    local top=$work/$1
    scene "$1"
    local prog layouts
    prog="$(win "$top/prog")\\"
    layouts="$(win "$top/layouts")\\"
    c_install=$(core "$prog" "$layouts" "$screens_win" install)
    c_undo=$(core "$prog" "$layouts" "$screens_win" undo)
    core "$prog" "$layouts" "$screens_win" install >/dev/null
    c_delete=$(core "$prog" "$layouts" "$screens_win" delete)
    mkdir -p "$top/unzipped"
    c_unzip=$(core "$prog" "$(win "$work/loadscr.zip")" "$(win "$top/unzipped")\\" unzip)
}

start_screen
# No window manager runs on the virtual screen, and Wine waits up to two
# seconds for one each time a managed window (a message box) goes away:
# that wait is the screen's, not the program's. Unmanaged windows, in a
# prefix of the bench's own, are not waited for.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver --wait
declare -A series
for run in $(seq 1 "$runs"); do
    if ((run % 2)); then window_run "w$run"; core_run "c$run"; else core_run "c$run"; window_run "w$run"; fi
    for op in install undo delete unzip; do
        w=${!op}
        c_name=c_$op
        c=${!c_name}
        series[$op]+="$(echo "$w / $c" | bc -l) "
        printf 'run %d  %-8s window %6.2f s  core %6.2f s\n' "$run" "$op" "$w" "$c"
    done
    rm -rf "$work/w$run" "$work/c$run"
done
median() { tr ' ' '\n' | grep . | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
for op in install undo delete unzip; do
    printf '%-8s window/core median %.2f\n' "$op" "$(echo "${series[$op]}" | median)"
done
