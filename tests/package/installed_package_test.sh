#!/usr/bin/env bash
# Installs the Debian package, starts the installed program for a few seconds
# on Qt's offscreen platform as an ordinary user, closes it as the session
# would (SIGTERM), and checks that its files went to that user's data folder
# and nowhere under /usr. Then removes the package and checks that it left
# nothing under /usr. Run as root: installed_package_test.sh package.deb
set -euo pipefail

deb=$(realpath "$1")
user=orvane-package-test
program=/usr/bin/OrvanePatchLayouts
fail() { echo "FAIL: $*" >&2; exit 1; }

apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -qq "$@" >/dev/null
}

# A path of the package that existed before is shared with other packages
# (folders such as /usr/share/icons/hicolor/32x32/apps) and may stay.
paths_of_package=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|; s|/$||')
stays_after_removal=()
for path in $paths_of_package; do
    [ -e "$path" ] && stays_after_removal+=("$path")
done

id "$user" >/dev/null 2>&1 || useradd --create-home --shell /usr/sbin/nologin "$user"
home=$(getent passwd "$user" | cut -d: -f6)
data="$home/.local/share/OrvanePatchLayouts"
rm -rf "$data"

apt_get install "$deb"
trap 'apt_get purge orvanepatchlayouts || true' EXIT
[ -x "$program" ] || fail "$program was not installed"

setpriv --reuid="$user" --regid="$user" --init-groups \
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$program" &
pid=$!
for _ in $(seq 50); do
    grep -q "Start" "$data/OrvanePatchLayouts.log.txt" 2>/dev/null && break
    sleep 0.2
done
sleep 2
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"

grep -q "Start" "$data/OrvanePatchLayouts.log.txt" || fail "no log in $data"
grep -q "END" "$data/OrvanePatchLayouts.log.txt" || fail "the log of $data has no END line"
grep -q "^\[OrvanePatchLayouts\]" "$data/OrvanePatchLayouts.ini" || fail "no settings in $data"
[ -d "$data/Screens" ] || fail "no Screens folder in $data"
[ "$(stat -c %U "$data/OrvanePatchLayouts.ini")" = "$user" ] || fail "settings not owned by $user"
written=$(find /usr -xdev \( -name 'OrvanePatchLayouts.ini' -o -name 'OrvanePatchLayouts.log.txt' \
    -o -name Screens -o -name loadscr.zip \) -print)
[ -z "$written" ] || fail "files written under /usr: $written"

trap - EXIT
apt_get purge orvanepatchlayouts
for path in $paths_of_package; do
    case " ${stays_after_removal[*]} " in *" $path "*) continue ;; esac
    [ ! -e "$path" ] || fail "$path is left after removal"
done
echo "Installed package test passed: files in $data, nothing left under /usr."
