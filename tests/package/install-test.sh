#!/usr/bin/env bash
# The Debian package as a user meets it: made by CPack, checked with lintian, installed, run
# under Xvfb with a temporary HOME, upgraded and removed. Needs root (or sudo).
#   tests/package/install-test.sh [BUILD_FOLDER]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAILED: $*" >&2; exit 1; }
wait_for() { # SECONDS COMMAND...
  local n=$(($1 * 10)); shift
  until "$@"; do n=$((n - 1)); [ $n -gt 0 ] || return 1; sleep 0.1; done
}

if [ "${1:-}" = "--start-installed" ]; then
  home=$2 # inside Xvfb: start the installed program, look, end it with SIGTERM
  env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" HOLMIK_DIALOGS=stderr \
    SDL_AUDIODRIVER=dummy holmikziviza --server "127.0.0.1:$3" --update-host 127.0.0.1:9 --map-host 127.0.0.1:9 \
    >"$home/program.log" 2>&1 &
  pid=$!
  wait_for 30 xdotool search --onlyvisible --class "HolmikZiviza" >/dev/null 2>&1 || { cat "$home/program.log"; fail "no window appeared"; }
  wait_for 30 test -s "$home/.local/share/holmikziviza/data/Settings.xml" || fail "no Settings.xml"
  sleep 2 # a few polls, so that the rows show the server
  import -window root "$4"
  kill -TERM $pid
  wait_for 20 bash -c "! kill -0 $pid 2>/dev/null" || { kill -KILL $pid; fail "the program did not end on SIGTERM"; }
  exit 0
fi

build=$(cd "${1:-$root/build}" && pwd)
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo -n true 2>/dev/null || { echo "SKIPPED: the package test installs the package and needs root or sudo"; exit 0; }
  sudo=(sudo -n)
fi
if dpkg-query -W -f='${Status}' holmikziviza 2>/dev/null | grep -q 'install ok installed'; then
  echo "SKIPPED: holmikziviza is installed on this machine already, and the test would remove it"
  exit 0
fi
apt() { DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "$@" -y -qq >/dev/null; }
work=$(mktemp -d "${TMPDIR:-/tmp}/holmik-package-XXXXXX")
chmod 755 "$work"
server='' installed=''
cleanup() {
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  [ -z "$installed" ] || apt purge holmikziviza 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
shots="$build/test-screenshots"
mkdir -p "$shots"

echo "-- package (revision 1, and 2 for the upgrade), lintian"
for r in 1 2; do (cd "$build" && cpack -G DEB -B "$work/r$r" -D CPACK_DEBIAN_PACKAGE_RELEASE=$r >/dev/null) || fail "cpack"; done
deb1=$(ls "$work"/r1/holmikziviza_*.deb) deb2=$(ls "$work"/r2/holmikziviza_*.deb)
echo "$(basename "$deb1"): $(du -k "$deb1" | cut -f1) KiB"
dpkg-deb -f "$deb1" Depends
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb1" || fail "lintian found errors"

echo "-- install"
touch "$work/before-install"
sleep 1
apt install "$deb1" || fail "apt-get install"
installed=1
dpkg-query -W -f='${Package} ${Version}\n' holmikziviza
mapfile -t files < <(dpkg -L holmikziviza)
[ "$(holmik-query --version)" = "holmik-query 4.7.0" ] || fail "holmik-query --version"
[ "$(holmikziviza --version)" = "holmikziviza 4.7.0" ] || fail "holmikziviza --version"
desktop-file-validate /usr/share/applications/net.holmikziviza.HolmikZiviza.desktop || fail "desktop entry"
! command -v appstreamcli >/dev/null ||
  appstreamcli validate --no-net /usr/share/metainfo/net.holmikziviza.HolmikZiviza.metainfo.xml || fail "metainfo"
man -P cat holmik-query 2>/dev/null | grep -q "ask a game server for its state" || fail "man holmik-query"
man -P cat holmikziviza 2>/dev/null | grep -q "status window" || fail "man holmikziviza"
man -P cat holmik-testserver 2>/dev/null | grep -q "STATE FILE" || fail "man holmik-testserver"
[ "$(command -v holmik-testserver)" = /usr/bin/holmik-testserver ] || fail "holmik-testserver is not installed"

echo "-- the installed program against the test server"
exec 3< <("$build/bin/holmik-testserver" --port 0 --seconds 600)
server=$!
read -r -t 10 port <&3 || fail "the test server gave no port"
holmik-query "127.0.0.1:$port" >/dev/null || fail "holmik-query found no server on $port"
home="$work/home" user="$work/home/.local/share/holmikziviza/data"
mkdir -p "$home"
start() { xvfb-run -a -s "-screen 0 1024x768x24" "$0" --start-installed "$home" "$port" "$shots/$1.png"; }
start installed-first-start
for f in /usr/share/holmikziviza/data/*; do
  [ -e "$user/$(basename "$f")" ] || fail "the user's data folder lacks $(basename "$f")"
done
grep -q "exec /usr/bin/holmikziviza" "$user/HolmikZiviza.lnk" || fail "the launcher does not start the installed program"
[ -x "$user/HolmikZiviza.lnk" ] || fail "the launcher is not executable"
sed -i 's/CustomName="[^"]*"/CustomName="Kept by the user"/' "$user/Settings.xml"
grep -q 'CustomName="Kept by the user"' "$user/Settings.xml" || fail "Settings.xml has no CustomName"
start installed-second-start
grep -q 'CustomName="Kept by the user"' "$user/Settings.xml" || fail "a second start lost the changed Settings.xml"

echo "-- upgrade"
apt install "$deb2" || fail "apt-get install (upgrade)"
[ "$(dpkg-query -W -f='${Version}' holmikziviza)" = "4.7.0-2" ] || fail "the upgrade did not take"
start installed-after-upgrade
grep -q 'CustomName="Kept by the user"' "$user/Settings.xml" || fail "the upgrade lost the changed Settings.xml"

echo "-- remove"
apt purge holmikziviza || fail "apt-get purge"
installed=
for f in "${files[@]}"; do
  case "$f" in */holmik*|*/net.holmikziviza.*) [ -e "$f" ] || [ -L "$f" ] && fail "$f is left after removal" ;; esac
done
left=$(find /usr /etc /opt -xdev -newer "$work/before-install" -iname '*holmik*' 2>/dev/null || true)
[ -z "$left" ] || fail "left outside the temporary HOME: $left"
echo "Package test passed (screenshots in $shots)."
