#!/usr/bin/env bash
# engine-windowed in a real window with SDL's "disk" sound driver: a "playsound" typed on
# the console reaches the sound device as samples that are not silence.
set -u
build=$1
here=$(dirname "$0")
. "$here/x_session.sh"
need Xvfb xdotool ffmpeg od
trap stop_x EXIT
copy_demo "$build"
start_x 1024x768x24
cd "$GAME"
# Silence until the typed line: no title movie, and the gateway's music missing.
rm -f nivoktit.mpg garden.ogg
ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=1" -ac 2 -ar 44100 tone.wav ||
    { echo "ffmpeg could not make the tone"; exit 1; }
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$GAME/out.raw" start_engine "$build/engine-windowed" ||
    exit 1
sleep 1
loud() {  # samples in the device's file whose magnitude is over 1000
    od -An -v -t d2 out.raw 2>/dev/null | tr -s ' ' '\n' |
        awk 'NF && ($1 > 1000 || $1 < -1000) { n++ } END { print n + 0 }'
}
before=$(loud)
# Typed text arrives only as real key presses to the focused window, not as events sent
# to a window: give the window the keyboard first.
xdotool mousemove --window "$win" 100 100
xdotool windowfocus --sync "$win" 2>/dev/null
sleep 0.3
xdotool key grave && sleep 0.5
xdotool type --delay 120 "playsound tone.wav" && sleep 0.3
xdotool key Return
# A loaded machine may take a while to get the sound to the device file.
for _ in $(seq 20); do
    sleep 0.5
    after=$(loud)
    [ "$after" -gt 40000 ] && break
done
echo "loud samples before: $before, after: $after"
end_game
status=$?
[ "$before" -eq 0 ] || { echo "sound before anything played"; exit 1; }
[ "$after" -gt 40000 ] || { echo "the sound did not reach the device"; cat engine.log; exit 1; }
[ $status -eq 0 ]
