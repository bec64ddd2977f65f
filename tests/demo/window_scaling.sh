#!/usr/bin/env bash
# engine-windowed on a 1920x1080 screen: it opens at 2x (1280x960); clicks land on the
# picture pixel under the pointer at 2x and in a resized window between black bars; and
# with a window manager, Alt+Enter switches to the whole screen and back without the
# Enter reaching the game.
set -u
build=$(cd "$1" && pwd)
here=$(dirname "$0")
. "$here/x_session.sh"
need Xvfb xdotool compare import convert matchbox-window-manager
trap stop_x EXIT
copy_demo "$build"
# The title movie would hold the first view back for six seconds; scaling is all this is about.
rm -f "$GAME/nivoktit.mpg"

open_window() {
    start_engine "$build/engine-windowed" || exit 1
    sleep 1
}

click() {  # x y in window positions
    xdotool mousemove --window "$win" "$1" "$2" && sleep 0.3
    xdotool click --window "$win" 1 && sleep 2
}

# shot NAME: F9, and the screenshot it wrote becomes NAME.jpg
shot() {
    rm -f "$GAME"/shot*.jpg
    xdotool key --window "$win" F9 && sleep 1
    local file
    file=$(ls "$GAME"/shot*.jpg 2>/dev/null | head -n 1)
    [ -n "$file" ] || { echo "F9 wrote no screenshot"; cat "$GAME/engine.log"; exit 1; }
    mv "$file" "$GAME/$1.jpg"
}

# The picture in a rectangle of the root window, brought back to 640x480.
picture_at() {  # WxH+X+Y OUT
    import -window root "$GAME/root.png"
    convert "$GAME/root.png" -crop "$1" +repage -resize 640x480! "$2"
}

# mean_of WxH+X+Y: mean brightness (0..1) of a rectangle of the last root picture.
mean_of() {
    convert "$GAME/root.png" -crop "$1" +repage -colorspace gray -format '%[fx:mean]' info:
}

# --- Without a window manager: size, clicks at 2x, a resize -------------------------
start_x 1920x1080x24
open_window
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
echo "window on 1920x1080: $geometry"
[ "$geometry" = "1280x960" ] || { echo "expected a 2x window, 1280x960"; exit 1; }

# (260, 260) is picture pixel (130, 130), beside the gateway; taken unscaled it would be
# inside it (240..400 x 170..346) and walk on.
click 260 260
shot at_gate
closer "$GAME/at_gate.jpg" "$GAME/gate.jpg" "$GAME/court.jpg" ||
    { echo "a click beside the gateway walked on"; exit 1; }

# A resized window: 1000x600 shows the picture 800x600 between bars of 100.
xdotool windowsize "$win" 1000 600 && sleep 1.5
position=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
set -- $position
wx=$1 wy=$2
picture_at "800x600+$((wx + 100))+$wy" "$GAME/resized.png"
closer "$GAME/resized.png" "$GAME/gate.jpg" "$GAME/court.jpg" ||
    { echo "the resized window does not show the gate in its middle"; exit 1; }
left=$(mean_of "100x600+$wx+$wy"); right=$(mean_of "100x600+$((wx + 900))+$wy")
echo "bars: $left $right"
awk -v l="$left" -v r="$right" 'BEGIN { exit !(l < 0.01 && r < 0.01) }' ||
    { echo "the bars are not black"; exit 1; }

# (475, 312) is picture pixel (300, 250): in the gateway. Unscaled it would miss it.
click 475 312
shot in_court
closer "$GAME/in_court.jpg" "$GAME/court.jpg" "$GAME/gate.jpg" ||
    { echo "a click in the resized window did not go through the gateway"; exit 1; }
end_game || exit 1
kill $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null; XVFB_PID=

# --- With a window manager: Alt+Enter both ways -------------------------------------
start_x 1920x1080x24
matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
WM_PID=$!
sleep 0.5
open_window
full_screen() {
    xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN
}
full_screen && { echo "the window starts full screen"; exit 1; }

# A console line waits for Enter: if Alt+Enter's Enter reached the game, it would run.
# The console covers the top of the picture, so only the rest is compared.
xdotool key grave && sleep 0.5
xdotool type --delay 120 "load court.scn" && sleep 0.5
xdotool key alt+Return && sleep 1.5
full_screen || { echo "Alt+Enter did not switch to the whole screen"; exit 1; }
picture_at "1440x1080+240+0" "$GAME/full.png"
convert "$GAME/full.png" -crop 640x300+0+180 +repage "$GAME/full_low.png"
convert "$GAME/gate.jpg" -crop 640x300+0+180 +repage "$GAME/gate_low.png"
convert "$GAME/court.jpg" -crop 640x300+0+180 +repage "$GAME/court_low.png"
closer "$GAME/full_low.png" "$GAME/gate_low.png" "$GAME/court_low.png" ||
    { echo "the whole screen does not show the gate (or Enter ran the console line)"; exit 1; }
xdotool key alt+Return && sleep 1.5
full_screen && { echo "Alt+Enter did not switch back to the window"; exit 1; }
# The line is still waiting; a plain Enter runs it.
xdotool key Return && sleep 2
shot after_enter
convert "$GAME/after_enter.jpg" -crop 640x300+0+180 +repage "$GAME/after_low.png"
closer "$GAME/after_low.png" "$GAME/court_low.png" "$GAME/gate_low.png" ||
    { echo "Enter did not run the console line"; exit 1; }
xdotool key grave && sleep 0.5
end_game || exit 1
echo "window scaling checks passed"
