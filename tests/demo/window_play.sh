#!/usr/bin/env bash
# engine-windowed in a real window: open at 640x480, walk through the gateway with the
# mouse, F9 writes a screenshot of the new view, Escape shows the ending, a key ends it.
set -u
build=$1
here=$(dirname "$0")
. "$here/x_session.sh"
need Xvfb xdotool compare import
trap stop_x EXIT
copy_demo "$build"
start_x 1024x768x24
cd "$GAME"
start_engine "$build/engine-windowed" || exit 1
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
echo "window geometry: $geometry"
[ "$geometry" = "640x480" ] || { echo "expected a 640x480 window"; exit 1; }

wait_view "$win" gate.jpg 30 || exit 1
xdotool mousemove --window "$win" 300 240 && sleep 0.3
xdotool mousemove --window "$win" 320 260 && sleep 0.5
xdotool click --window "$win" 1 && sleep 2
xdotool key --window "$win" F9 && sleep 1
[ -f shot0.jpg ] || { echo "F9 wrote no shot0.jpg"; cat engine.log; exit 1; }
closer shot0.jpg court.jpg gate.jpg || { echo "the screenshot does not show the courtyard"; exit 1; }

end_game
