# What the end-to-end scripts of the Windows program share: a work folder
# removed at the end, a virtual X screen, a Wine prefix per locale, and the
# few moves a user makes with windows. Sourced with the script's own
# arguments: PROGRAM.exe WINEPREFIX [SCREENSHOT_FOLDER].
exe=$1
# One prefix per locale, as cmake/wine-run.sh keeps them.
locale=${LC_ALL:-${LANG:-C}}
locale=${locale%%.*}
case $locale in C | POSIX) export WINEPREFIX=$2 ;; *) export WINEPREFIX=$2-$locale ;; esac
# ORVANE_WINE_DPI=144 shows the windows at 150 %, in a prefix of its own.
dpi=${ORVANE_WINE_DPI:-}
[ -z "$dpi" ] || WINEPREFIX=$WINEPREFIX-dpi$dpi
shots=${3:-}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
win() { echo "Z:${1//\//\\}"; }

# A screen of its own and a prefix ready for windows.
start_screen() {
    exec 3<> <(:)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 20 display <&3 || fail "Xvfb did not start"
    export DISPLAY=":$display"
    [ -f "$WINEPREFIX/system.reg" ] || { wineboot --init && wineserver --wait; } >/dev/null 2>&1
    [ -z "$dpi" ] || { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$dpi" /f && wineserver --wait; } >/dev/null 2>&1
}

visible() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1; }
wait_for() {
    local id=""
    for _ in $(seq 1 300); do
        id=$(visible "$1") && [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window '$1'"
}
# Waits until no window of that name (or no longer that one window) shows.
wait_gone() {
    for _ in $(seq 1 300); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -qx "${2:-[0-9]*}" || return 0
        sleep 0.1
    done
    fail "window '$1' stays"
}
# There is no window manager: the keyboard focus is given by hand.
keys_to() {
    local id
    id=$(wait_for "$1")
    shift
    xdotool windowfocus --sync "$id"
    sleep 0.3
    xdotool key --delay 150 "$@"
    focused=$id
}
box='^OrvanePatchLayouts$'
main='^Patch for Orvane Layouts$'
# Answers the message box on the screen; the next one may follow at once.
answer() { keys_to "$box" "$@"; wait_gone "$box" "$focused"; }
shot() { [ -z "$shots" ] || { mkdir -p "$shots" && import -window root "$shots/$1.png"; }; }
