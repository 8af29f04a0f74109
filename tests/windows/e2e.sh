#!/usr/bin/env bash
# The Windows programs end to end under Wine, against the native test server on loopback:
#   tests/windows/e2e.sh PROGRAM_FOLDER MINGW_PREFIX [SCREENSHOT]
# PROGRAM_FOLDER as the Windows zip unpacks; needs DISPLAY, xdotool and ImageMagick. The test
# server comes from HOLMIK_NATIVE_BUILD (default build/), built there when missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
programs=$(cd "$1" && pwd) mingw_prefix=$2 shot=${3:-}
native=${HOLMIK_NATIVE_BUILD:-$root/build} host=x86_64-w64-mingw32
work=$(mktemp -d "${TMPDIR:-/tmp}/holmik-e2e-XXXXXX")
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  WINEPREFIX="$work/wine" wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
failed=0
check() { # NAME COMMAND...
  local name=$1; shift
  if "$@"; then echo "e2e: ok    $name"; else echo "e2e: FAIL  $name"; failed=1; fi
}
wait_for() { # SECONDS COMMAND...: retries the command every 0.2 s
  local tries=$(($1 * 5)); shift
  until "$@"; do tries=$((tries - 1)); [ $tries -gt 0 ] || return 1; sleep 0.2; done
}

echo "== end-to-end cases under Wine"
if [ ! -x "$native/bin/holmik-testserver" ]; then
  "$root/scripts/install-deps.sh" >/dev/null
  [ -f "$native/CMakeCache.txt" ] || cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$native" --target holmik-testserver -j"${HOLMIK_JOBS:-$(nproc)}" >/dev/null
fi
export WINEPREFIX="$work/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export HOLMIK_DIALOGS=stderr SDL_AUDIODRIVER=dummy
mkdir -p "$WINEPREFIX"
wineserver -p
wineboot -i >/dev/null 2>&1

start_server() { # SERVER-OPTIONS...: sets server_pid and server_port
  local out=$work/server-$RANDOM
  "$native/bin/holmik-testserver" --seconds 600 "$@" >"$out" &
  server_pid=$! && pids+=("$server_pid")
  wait_for 10 test -s "$out" || { echo "e2e: FAIL  the test server printed no port"; exit 1; }
  server_port=$(head -n 1 "$out")
}

# holmik-query.exe: the map and player list of every kind of reply, exit 1 without one.
for options in "" "--split 60" "--split 60 --old-layout" "--split 60 --compressed" "--info-challenge"; do
  # shellcheck disable=SC2086
  start_server $options
  out=$(wine "$programs/holmik-query.exe" "127.0.0.1:$server_port" --json 2>/dev/null) || out=
  kill "$server_pid" 2>/dev/null || true
  summary=$(python3 -c 'import json,sys; j=json.loads(sys.argv[1]); print(j["map"], len(j["playerList"]))' "$out" 2>/dev/null) || summary=
  read -r map players <<<"${summary:-none 0}"
  check "holmik-query.exe, ${options:-one datagram per reply}: map $map, $players players" test "$map" = de_dust2 -a "$players" -ge 4
done
code=0
wine "$programs/holmik-query.exe" "127.0.0.1:$server_port" --json >/dev/null 2>&1 || code=$?
check "holmik-query.exe without an answer exits 1 (got $code)" test $code -eq 1

# The program: a copy with its own data folder; a broken Settings.xml first.
app=$work/app
mkdir -p "$app"
cp -r "$programs/holmikziviza.exe" "$programs/data" "$app/"
rm -rf "$app/data/mapOverViews" "$app/data"/Settings.xml*
printf '<?xml version="1.0" encoding="utf-8"?>\n<Settings><Colors></Settings>\n' >"$app/data/Settings.xml"
code=0
(cd "$app" && wine holmikziviza.exe) 2>"$work/broken.err" >/dev/null || code=$?
check "a broken Settings.xml ends the program with exit code 255 (got $code)" test $code -eq 255
check "a broken Settings.xml shows the parser's message and the file's path" grep -q "XML Parsing error inside file '.*Settings.xml'" "$work/broken.err"
check "... and how to start anew" grep -q "Rename or delete it to start with the default settings." "$work/broken.err"

# Measures of the program's fonts and pictures, with the Windows build's own libraries.
pkg() { PKG_CONFIG_LIBDIR="$mingw_prefix/lib/pkgconfig" PKG_CONFIG_PATH='' pkg-config --static "$@" SDL_ttf SDL_image; }
# shellcheck disable=SC2046
"$host-gcc-posix" -O1 -o "$work/font-metrics.exe" "$root/tests/windows/font-metrics.c" $(pkg --cflags) \
  $(pkg --libs | sed 's/-mwindows//g') -static
read -r h12 lh12 h14 h28 head < <(cd "$app/data" && wine "$work/font-metrics.exe" | tr -d '\r')
[ "$head" -gt 0 ] || { echo "e2e: FAIL  font-metrics could not read the data folder"; exit 1; }

# A stand-in steam.exe in a Steam folder, and SteamPath as Steam writes it (forward slashes).
steam=$work/Steam
mkdir -p "$steam"
"$host-gcc-posix" -O1 -o "$steam/steam.exe" "$root/tests/windows/fake-steam.c" -static
steam_windows=$(winepath -w "$steam")
wine reg add 'HKCU\Software\Valve\Steam' /v SteamPath /t REG_SZ /d "${steam_windows//\\//}" /f >/dev/null 2>&1

# The settings of a first start, without the update check and the map pictures.
cat >"$app/data/Settings.xml" <<'XML'
<?xml version="1.0" encoding="utf-8"?>
<Settings FontSize="14" PlayerFontSize="10" Width="300" CustomName="=QX/" Alpha="255" X="0" Y="0" Update="0" Language="0" SettingsOnTheLeft="0">
	<Colors BackgroundColor="7A89AA" TextColor="000000" LinkColor="FFFFFF" MapColor="DDAA00" GoodColor="00DD00" BadColor="AA0000" BotColor="C0C0C0" AdminColor="EE00EE" PlayerBackgroundColor="C2D4FB" CustomColor="AAAA00"/>
	<Display Head="1" Join="1" Status="1" Ping="0" Map="1" OverView="0" Pass="1" Vac="1" Bots="1" Players="1" PlayerList="1" CS:Go="1" CS:Source="0" Time="0" Kills="1"/>
</Settings>
XML
start_server --hidden-names && go_port=$server_port
start_server && source_port=$server_port
(cd "$app" && exec wine holmikziviza.exe --server "127.0.0.1:$go_port" --source-server "127.0.0.1:$source_port") \
  >"$work/program.out" 2>&1 &
program=$! && pids+=("$program")

window=
find_window() { window=$(xdotool search --name '^Engine$' 2>/dev/null | head -n 1); [ -n "$window" ]; }
geometry() { xdotool getwindowgeometry "$window" 2>/dev/null | sed -n 's/.*Geometry: //p'; }
has_height() { local g; g=$(geometry); [ -n "$g" ] && [ "${g#*x}" != 200 ]; }
is_width() { local g; g=$(geometry); [ "$g" = "$1" ] || [ "${g%x*}" = "$1" ]; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1 >/dev/null 2>&1; sleep 0.4; }
check "the window appears" wait_for 30 find_window
[ -n "$window" ] || { cat "$work/program.out"; exit 1; }
check "the panel takes its height when the first status arrives ($(geometry))" wait_for 20 has_height
sleep 1
# Pixels within a few per cent of one colour (text is blended at its edges).
pixels_of() {
  { import -window "$window" "$work/shot.png" &&
    convert "$work/shot.png" -fuzz 12% -fill black +opaque "#$1" -fill white -opaque "#$1" -format '%[fx:int(mean*w*h+0.5)]' info:-
  } 2>/dev/null || echo 0
}
background=$(pixels_of 7A89AA) online=$(pixels_of 00DD00)
check "the status rows are drawn ($background background, $online online-green pixels)" test "${background:-0}" -gt 1000 -a "${online:-0}" -gt 10
[ -z "$shot" ] || cp "$work/shot.png" "$shot"

# Join Game: below the title and the column's name, centred on its half of the panel.
for join in "225 730 $go_port" "75 240 $source_port"; do
  read -r x app_id port <<<"$join"
  rm -f "$steam/started.txt"
  click "$x" $(((h28 > head ? h28 : head) + h14 + 7 + h14 / 2))
  check "Join Game at x $x starts steam.exe" wait_for 15 test -s "$steam/started.txt"
  check "steam.exe gets -applaunch $app_id +connect 127.0.0.1:$port" \
    grep -q -- "-applaunch $app_id +connect 127.0.0.1:$port" "$steam/started.txt"
done
check "steam.exe runs in the Steam folder" grep -qi -F "folder: ${steam_windows%\\}" "$steam/started.txt"

# Autostart: the settings button, the Miscellaneous tab, the check box under the labels.
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
wine reg add "$run_key" /f >/dev/null 2>&1 # a fresh Windows has the key; make sure this prefix does
click $((300 - 16 - 2 - 18 + 8)) 10
check "the settings button opens the settings panel beside the status panel" wait_for 10 is_width 550x500
row=$((h12 + 5)) check_height=$(((h12 > 10 ? h12 : 10) - 2))
click $((300 + 145 + 45)) $((2 + lh12 / 2))
auto_y=$((25 + 5 * row + h12 + 7 + check_height / 2))
run_value() { wine reg query "$run_key" /v HolmikZiviza 2>/dev/null | tr -d '\r'; }
has_value() { run_value | grep -q 'HolmikZiviza'; }
no_value() { ! has_value; }
open_miscellaneous() {
  click $((300 - 16 - 2 - 18 + 8)) 10
  wait_for 10 is_width 550x500
  click $((300 + 145 + 45)) $((2 + lh12 / 2))
}
click $((300 + 5 + 4)) $auto_y
sleep 1
check "ticking autostart writes nothing before Save" no_value
click $((300 + 35 + 35)) $((470 + h12 / 2))
check "Cancel closes the settings panel" wait_for 10 is_width 300
check "Cancel leaves no Run value" no_value
open_miscellaneous
click $((300 + 5 + 4)) $auto_y
click $((300 + 195 + 25)) $((470 + h12 / 2))
check "ticking autostart and Save write the Run value HolmikZiviza" wait_for 10 has_value
data_windows=$(winepath -w "$app/data")
names_lnk() { run_value | grep -i REG_SZ | grep -qiF "$data_windows\\HolmikZiviza.lnk"; }
check "the Run value is REG_SZ, the data folder's HolmikZiviza.lnk" names_lnk
open_miscellaneous
click $((300 + 5 + 4)) $auto_y
click $((300 + 195 + 25)) $((470 + h12 / 2))
check "unticking autostart and Save remove the Run value" wait_for 10 no_value
check "Save closes the settings panel" wait_for 10 is_width 300
click $((300 - 18 + 8)) 10
wait_for 15 bash -c "! kill -0 $program 2>/dev/null" || kill "$program" 2>/dev/null || true
code=0
wait "$program" || code=$?
check "the close button ends the program with exit code 0 (got $code)" test $code -eq 0
check "the program saved its settings" grep -q 'OverView="0"' "$app/data/Settings.xml"

check "the zip carries data\\HolmikZiviza.lnk, the shortcut the Run value names" test -s "$app/data/HolmikZiviza.lnk"
if [ -f "$app/data/HolmikZiviza.lnk" ]; then
  window=
  (cd / && wine start /unix "$app/data/HolmikZiviza.lnk") >/dev/null 2>&1
  check "data\\HolmikZiviza.lnk starts the program" wait_for 30 find_window
  if [ -n "$window" ]; then
    sleep 2
    click $((300 - 18 + 8)) 10
    check "the program started by the shortcut closes with its button" \
      wait_for 15 bash -c "! xdotool search --name '^Engine\$' >/dev/null 2>&1"
  fi
fi
[ $failed -eq 0 ] || { echo "== the program's output:"; cat "$work/program.out"; echo "e2e: some cases failed"; exit 1; }
echo "e2e: every case passed"
