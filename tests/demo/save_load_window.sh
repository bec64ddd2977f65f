#!/usr/bin/env bash
# engine-windowed in a real window: save with F5 into slot 1, leave the page, walk on,
# load slot 1 with F6 and check the courtyard is back on the screen.
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

click() {  # x y: move there, let the pointer settle, click
    xdotool mousemove --window "$win" "$1" "$2" && sleep 0.3
    xdotool click --window "$win" 1 && sleep "${3:-1.5}"
}
wait_view "$win" gate.jpg 30 || exit 1
click 320 260              # through the gateway: the courtyard
xdotool key --window "$win" F5 && sleep 1.5
click 100 160              # slot 1
click 600 460              # exit
[ -f slot1.sav ] && [ -f slot1.jpg ] || { echo "F5 and a click wrote no slot 1"; ls; exit 1; }
click 60 260               # on into the garden
xdotool key --window "$win" F6 && sleep 1.5
click 100 160 2.5          # load slot 1
xdotool key --window "$win" F9 && sleep 1
[ -f shot0.jpg ] || { echo "F9 wrote no shot0.jpg"; cat engine.log; exit 1; }
closer shot0.jpg court.jpg garden.jpg || { echo "slot 1 did not bring the courtyard back"; exit 1; }

end_game
