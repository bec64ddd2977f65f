#!/usr/bin/env bash
# The full-screen engine on 1280x1024, 1920x1080 and 3840x2160 screens (with a window
# manager, which full screen needs under Xvfb): the picture keeps its shape, as large as
# the screen allows, between black bars; Alt+Enter leaves the whole screen and comes back
# to it; Escape and a key end the game.
set -u
build=$(cd "$1" && pwd)
here=$(dirname "$0")
. "$here/x_session.sh"
need Xvfb xdotool compare import convert xprop matchbox-window-manager
trap stop_x EXIT
copy_demo "$build"
# The title movie would hold the first view back for six seconds; scaling is all this is about.
rm -f "$GAME/nivoktit.mpg"

full_screen() {
    xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN
}

# check_picture W H: the picture's place on a W x H screen shows the gate, and the bars
# beside or above it are black.
check_picture() {
    local w=$1 h=$2 pw ph px py
    if [ $((w * 480)) -le $((h * 640)) ]; then
        pw=$w; ph=$((w * 480 / 640))
    else
        ph=$h; pw=$((h * 640 / 480))
    fi
    px=$(((w - pw) / 2)); py=$(((h - ph) / 2))
    import -window root "$GAME/root.png"
    convert "$GAME/root.png" -crop "${pw}x${ph}+${px}+${py}" +repage -resize 640x480! \
        "$GAME/seen.png"
    closer "$GAME/seen.png" "$GAME/gate.jpg" "$GAME/court.jpg" ||
        { echo "the first view is not in its place on the ${w}x${h} screen"; return 1; }
    local bar
    if [ $px -gt 0 ]; then bar="${px}x${h}+0+0"; else bar="${w}x${py}+0+0"; fi
    local mean
    mean=$(convert "$GAME/root.png" -crop "$bar" +repage -colorspace gray -format '%[fx:mean]' info:)
    echo "bar $bar: $mean"
    awk -v m="$mean" 'BEGIN { exit !(m < 0.01) }' || { echo "the bar is not black"; return 1; }
}

play() {  # WIDTH HEIGHT
    start_x "$1x$2x24"
    matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
    WM_PID=$!
    sleep 0.5
    start_engine "$build/engine" || { echo "on $1x$2"; return 1; }
    sleep 2
    full_screen || { echo "not full screen on $1x$2"; return 1; }
    check_picture "$1" "$2" || return 1
    xdotool key alt+Return && sleep 1.5
    full_screen && { echo "Alt+Enter did not leave the whole screen"; return 1; }
    xdotool key alt+Return && sleep 1.5
    full_screen || { echo "Alt+Enter did not return to the whole screen"; return 1; }
    check_picture "$1" "$2" || return 1
    end_game focused
    local status=$?
    kill $WM_PID 2>/dev/null; WM_PID=
    kill $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null; XVFB_PID=
    [ $status -eq 0 ]
}

play 1280 1024 || exit 1
play 1920 1080 || exit 1
play 3840 2160 || exit 1
