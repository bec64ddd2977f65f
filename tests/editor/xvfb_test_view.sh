#!/bin/bash
# Real-window test of Test View: Pandrel draws a hotspot and saves the view, Test View
# starts engine-windowed on it; a second hotspot drawn and saved with Test View again
# shows in the engine that runs (its outline in debug mode, on an F9 screenshot), and no
# second engine starts. Exit 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -u
PANDREL=${1:?usage: xvfb_test_view.sh path/to/pandrel}
for tool in Xvfb xdotool convert; do
    command -v $tool >/dev/null || { echo "$tool missing"; exit 77; }
done

WORK=$(mktemp -d /tmp/pandrel-testview-XXXXXX)
XPID=
PPID_=
cleanup() {
    [ -n "$PPID_" ] && kill "$PPID_" 2>/dev/null
    # The engine Test View started, found by the folder it runs in.
    for pid in $(pgrep -f engine-windowed); do
        [ "$(readlink "/proc/$pid/cwd")" = "$WORK/game" ] && kill "$pid" 2>/dev/null
    done
    [ -n "$XPID" ] && kill "$XPID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$WORK/pandrel.log"; [ -n "${KEEP:-}" ] && cp "$WORK"/game/* "$KEEP"/; exit 1; }

started=$("$(dirname "$0")/../support/start-xvfb.sh" 1280x1024x24) || { echo "could not start Xvfb"; exit 1; }
export DISPLAY=:${started% *}
XPID=${started#* }
mkdir -p "$WORK/game" "${XDG_RUNTIME_DIR:-/tmp/vorlen-runtime}" 2>/dev/null
cd "$WORK/game"
SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$PANDREL" >"$WORK/pandrel.log" 2>&1 &
PPID_=$!
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Pandrel$' | head -1)
[ -n "$main" ] || fail "main window did not appear"
xdotool windowmove --sync "$main" 0 0
sleep 0.5

click() { xdotool mousemove --window "$main" "$1" "$2" sleep 0.2 click 1 sleep 0.3; }
# Draws the triangle ($1,$2) ($3,$2) ($3,$4) in window points, answering "Close polygon?".
triangle() {
    xdotool windowfocus --sync "$main" key --window "$main" d
    sleep 0.3
    click "$1" "$2"
    click "$3" "$2"
    click "$3" "$4"
    xdotool mousemove --window "$main" $(($1 + 2)) $(($2 + 2)) sleep 0.2 click 1 &
    local pid=$! box=
    for _ in $(seq 1 50); do
        box=$(xdotool search --onlyvisible --name '^Pandrel$' | grep -v "^$main\$" | head -1)
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || fail "no Close polygon? box"
    sleep 0.3
    xdotool windowfocus --sync "$box" key Return
    sleep 0.5
    wait "$pid"
}
# The engine's F9 screenshot (shot0.jpg, shot1.jpg ... in turn), waited for; its name in
# $shotfile.
shots=0
shot() {
    shotfile=shot$shots.jpg
    shots=$((shots + 1))
    xdotool mousemove --window "$engine" 630 470 sleep 0.3 key --window "$engine" F9
    for _ in $(seq 1 50); do [ -s "$shotfile" ] && break; sleep 0.1; done
    [ -s "$shotfile" ] || fail "F9 wrote no $shotfile"
}
# Runs a console line in the engine, the console opened and closed around it.
console() {
    xdotool key --window "$engine" grave sleep 1 type --window "$engine" --delay 30 "$1"
    xdotool key --window "$engine" Return sleep 0.5 key --window "$engine" grave sleep 0.5
}
# Mean brightness (0 to 1) of a 20x20 box at the first vertex of COORD line $2 in shot $1.
brightness() {
    local coord x y
    coord=$(grep '^COORD ' room.scn | sed -n "${2}p" | tr -d '\r')
    read -r x y _ <<<"$(echo "${coord#COORD }" | tr '(),' '   ')"
    convert "$1" -crop 20x20+$((x - 10))+$((y - 10)) -colorspace Gray -format '%[fx:mean]' info:
}

triangle 150 150 350 300
xdotool windowfocus --sync "$main" key ctrl+s
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Save View$' | head -1)
[ -n "$dialog" ] || fail "no Save View dialog"
sleep 0.5
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$WORK/game/room"
xdotool key Return
for _ in $(seq 1 50); do [ -s room.scn ] && break; sleep 0.1; done
[ -s room.scn ] || fail "room.scn was not written"
sleep 0.5

xdotool windowfocus --sync "$main" key ctrl+t
engine=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vorlen$' | head -1)
[ -n "$engine" ] || fail "Test View started no engine"
sleep 1
# Debug mode outlines the hotspots. The view names no picture: "reload" gives it the
# black a view change gives it, instead of the start-up test pattern. A loaded machine
# may lose keys while the console opens: each is asked for again until the shot shows it.
console reload
console debug
for _ in 1 2 3; do
    shot
    before=$shotfile
    if ! awk -v c="$(brightness "$before" 2)" 'BEGIN { exit !(c < 0.01) }'; then
        console reload
    elif ! awk -v a="$(brightness "$before" 1)" 'BEGIN { exit !(a > 0.03) }'; then
        console debug
    else
        break
    fi
done
triangle 150 400 350 500
xdotool windowfocus --sync "$main" key ctrl+t
for _ in $(seq 1 50); do [ "$(grep -c '^HOTSPOTSTART' room.scn)" = 2 ] && break; sleep 0.1; done
[ "$(grep -c '^HOTSPOTSTART' room.scn)" = 2 ] || fail "Test View did not save the second hotspot"
sleep 1
shot
after=$shotfile
count=$(xdotool search --onlyvisible --name '^Vorlen$' | wc -l)
[ "$count" = 1 ] || fail "$count engine windows"

first0=$(brightness "$before" 1); first1=$(brightness "$after" 1)
second0=$(brightness "$before" 2); second1=$(brightness "$after" 2)
echo "first hotspot: $first0 then $first1; second: $second0 then $second1"
awk -v a="$first0" -v b="$first1" -v c="$second0" -v d="$second1" \
    'BEGIN { exit !(a > 0.03 && b > 0.03 && c < 0.01 && d > 0.03) }' \
    || fail "the engine did not show the hotspot drawn while it ran"
echo "PASS"
