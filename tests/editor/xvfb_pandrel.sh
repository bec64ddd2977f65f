#!/bin/bash
# Real-window test: in a private X server, draw a triangle in Pandrel, close it with
# OK, save the view through the save dialog and check the file it wrote; then the same
# at 3x zoom, where the held pointer must stay in the visible part and scroll it.
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -u
PANDREL=${1:?usage: xvfb_pandrel.sh path/to/pandrel}
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb or xdotool missing"; exit 77; }

WORK=$(mktemp -d /tmp/pandrel-xvfb-XXXXXX)
XPID=
PPID_=
cleanup() {
    [ -n "$PPID_" ] && kill "$PPID_" 2>/dev/null
    [ -n "$XPID" ] && kill "$XPID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# The server picks a free display itself and says which (-displayfd): choosing one
# here and starting the server there races with other servers starting at once.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XPID=$!
for _ in $(seq 1 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
N=$(head -1 "$WORK/display")
[ -n "$N" ] || { echo "Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }
export DISPLAY=:$N
for _ in $(seq 1 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "Xvfb did not start"; cat "$WORK/xvfb.log"; exit 1; }

mkdir -p "$WORK/game" "$XDG_RUNTIME_DIR" 2>/dev/null
cd "$WORK/game"
QT_QPA_PLATFORM=xcb "$PANDREL" >"$WORK/pandrel.log" 2>&1 &
PPID_=$!

fail() { echo "FAIL: $*"; cat "$WORK/pandrel.log"; exit 1; }
main=$(timeout 20 xdotool search --sync --onlyvisible --name '^Pandrel$' | head -1)
[ -n "$main" ] || fail "main window did not appear"
xdotool windowmove --sync "$main" 0 0
sleep 0.5

click() { xdotool mousemove --window "$main" "$1" "$2" sleep 0.2 click 1 sleep 0.3; }
xdotool windowfocus "$main"
xdotool key --window "$main" d   # Draw tool
sleep 0.3
click 150 150
# The first vertex confines the pointer to the drawing area.
xdotool mousemove 1000 740 sleep 0.3 mousemove 1010 750 sleep 0.3
eval "$(xdotool getmouselocation --shell)"
[ "$X" -lt 660 ] && [ "$Y" -lt 620 ] || fail "pointer left the drawing area: $X,$Y"
click 350 150
click 350 300
# Near the first vertex: "Close polygon?" comes up; OK is its default button.
xdotool mousemove --window "$main" 152 152 sleep 0.2 click 1 &
CLICK=$!
box=
for _ in $(seq 1 50); do
    box=$(xdotool search --onlyvisible --name '^Pandrel$' | grep -v "^$main\$" | head -1)
    [ -n "$box" ] && break
    sleep 0.1
done
[ -n "$box" ] || fail "no Close polygon? box"
sleep 0.3
xdotool windowfocus --sync "$box" key Return
sleep 0.5
wait "$CLICK"

xdotool windowfocus --sync "$main" key ctrl+s
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Save View$' | head -1)
[ -n "$dialog" ] || fail "no Save View dialog"
sleep 0.5
xdotool windowfocus --sync "$dialog"
xdotool type --delay 20 "$WORK/game/room"
xdotool key Return
for _ in $(seq 1 50); do [ -s "$WORK/game/room.scn" ] && break; sleep 0.1; done
[ -s "$WORK/game/room.scn" ] || fail "room.scn was not written"
sleep 0.3

title=$(xdotool getwindowname "$main")
[ "$title" = "Pandrel - room.scn" ] || fail "caption is '$title'"

file="$WORK/game/room.scn"
grep -q $'^VIEW View\r$' "$file" || fail "no VIEW line"
grep -q $'^HOTSPOTSTART Shape1\r$' "$file" || fail "no hotspot"
grep -q $'^HOTSPOTEND \r$' "$file" || fail "no HOTSPOTEND"
coord=$(grep '^COORD ' "$file" | tr -d '\r')
# The drawing area's offset in the window is the toolkit's; the shape must be the
# triangle clicked, wherever the area starts.
read -r x1 y1 x2 y2 x3 y3 extra <<<"$(echo "${coord#COORD }" | tr '(),' '   ')"
[ -z "$extra" ] && [ -n "$y3" ] || fail "not three vertices: $coord"
ox=$((150 - x1)); oy=$((150 - y1))
[ $((x2 - x1)) -eq 200 ] && [ $((y2 - y1)) -eq 0 ] && [ $((x3 - x2)) -eq 0 ] && [ $((y3 - y2)) -eq 150 ] \
    || fail "wrong vertices: $coord"
[ $ox -ge 0 ] && [ $ox -le 60 ] && [ $oy -ge 0 ] && [ $oy -le 120 ] || fail "odd offset: $coord"

# Closes the polygon under way near window point ($1, $2), answering OK.
close_polygon() {
    xdotool mousemove --window "$main" "$1" "$2" sleep 0.2 click 1 &
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
# Saves under $1 through the save dialog and prints the file's COORD lines.
save_as() {
    xdotool windowfocus --sync "$main" key ctrl+s
    local d
    d=$(timeout 20 xdotool search --sync --onlyvisible --name '^Save View$' | head -1)
    [ -n "$d" ] || fail "no Save View dialog"
    sleep 0.5
    xdotool windowfocus --sync "$d"
    xdotool type --delay 20 "$WORK/game/$1"
    xdotool key Return
    for _ in $(seq 1 50); do [ -s "$WORK/game/$1.scn" ] && break; sleep 0.1; done
    [ -s "$WORK/game/$1.scn" ] || fail "$1.scn was not written"
    sleep 0.3
}

# At 3x every screen step of 150 is 50 picture pixels.
xdotool windowfocus --sync "$main" key ctrl+plus sleep 0.2 key ctrl+plus sleep 0.3
xdotool key --window "$main" Delete sleep 0.2 key --window "$main" d
sleep 0.3
click 150 150
click 300 150
click 300 300
close_polygon 151 151
save_as zoomed
zcoord=$(grep '^COORD ' "$WORK/game/zoomed.scn" | tr -d '\r')
read -r a1 b1 a2 b2 a3 b3 extra <<<"$(echo "${zcoord#COORD }" | tr '(),' '   ')"
[ -z "$extra" ] && [ -n "$b3" ] || fail "not three vertices at 3x: $zcoord"
[ $((a2 - a1)) -eq 50 ] && [ $((b2 - b1)) -eq 0 ] && [ $((a3 - a2)) -eq 0 ] && [ $((b3 - b2)) -eq 50 ] \
    || fail "wrong vertices at 3x: $zcoord"

# Held at 3x: pushed far right the pointer stays in the visible part, which scrolls on.
# A right click gives the pointer back; the same triangle drawn again then lies further
# right in the picture.
xdotool key --window "$main" d
sleep 0.3
click 150 150
xdotool mousemove 1000 150 sleep 0.3 mousemove 1010 150 sleep 0.3
eval "$(xdotool getmouselocation --shell)"
[ "$X" -lt 660 ] || fail "pointer left the visible part at 3x: $X,$Y"
xdotool click 3 sleep 0.3
xdotool key --window "$main" d
sleep 0.3
click 150 150
click 300 150
click 300 300
close_polygon 151 151
save_as scrolled
scoord=$(grep '^COORD ' "$WORK/game/scrolled.scn" | tail -1 | tr -d '\r')
read -r c1 d1 c2 d2 extra <<<"$(echo "${scoord#COORD }" | tr '(),' '   ')"
[ "$c1" -gt "$a1" ] && [ "$d1" -eq "$b1" ] && [ $((c2 - c1)) -eq 50 ] \
    || fail "the held pointer did not scroll: $zcoord, then $scoord"
echo "PASS: $coord; at 3x $zcoord; scrolled $scoord (pointer held at $X,$Y)"
