#!/usr/bin/env bash
# engine-windowed in a real window plays the demo's movies: the title movie shows its
# pictures while it runs, then the first view; in the garden the fountain's looping
# overlay movie moves while everything around it stays still.
set -u
build=$1
here=$(dirname "$0")
. "$here/x_session.sh"
need Xvfb xdotool compare import convert ffmpeg
trap stop_x EXIT
copy_demo "$build"
start_x 1024x768x24
cd "$GAME"
start_engine "$build/engine-windowed" || exit 1

# Between 1.5 s and 5 s the title movie shows the house at night and the game's name.
sleep 2.5
import -window "$win" title.png
ffmpeg -loglevel error -y -ss 3 -i nivoktit.mpg -frames:v 1 title-frame.png
closer title.png title-frame.png gate.jpg || { echo "no title movie on the screen"; exit 1; }

wait_view "$win" gate.jpg 30 || exit 1
click() {  # x y: move there, let the pointer settle, click
    xdotool mousemove --window "$win" "$1" "$2" && sleep 0.3
    xdotool click --window "$win" 1 && sleep 2
}
click 320 260  # through the gateway
click 60 260   # into the garden
xdotool mousemove --window "$win" 600 470 && sleep 0.5
import -window "$win" a.png
sleep 0.3
import -window "$win" b.png
crop() { convert "$1" -crop "$2" +repage "$3"; }
crop a.png 144x80+248+232 a-water.png
crop b.png 144x80+248+232 b-water.png
crop a.png 200x150+20+20 a-trees.png
crop b.png 200x150+20+20 b-trees.png
water=$(rmse a-water.png b-water.png)
trees=$(rmse a-trees.png b-trees.png)
echo "fountain changed by $water, trees by $trees"
awk -v w="$water" -v t="$trees" 'BEGIN { exit !(w > 0.01 && t < 0.002) }' ||
    { echo "the fountain's movie does not play"; exit 1; }
closer a.png garden.jpg court.jpg || { echo "not in the garden"; exit 1; }

end_game
