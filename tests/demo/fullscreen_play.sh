#!/usr/bin/env bash
# The full-screen engine on a 640x480 16-bit screen and on a 1920x1080 24-bit screen:
# it starts, shows the first view, and ends on Escape and a key.
set -u
build=$1
here=$(dirname "$0")
. "$here/x_session.sh"
need Xvfb xdotool compare import
trap stop_x EXIT
copy_demo "$build"

play() {  # SCREEN WINDOW-MANAGER(0/1)
    start_x "$1"
    if [ "$2" = 1 ]; then
        need matchbox-window-manager
        matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
        WM_PID=$!
        sleep 0.5
    fi
    start_engine "$build/engine" || { echo "on $1"; return 1; }
    # The six-second title movie first.
    sleep 8
    import -window root "$GAME/root.png"
    # The 640x480 picture fills the height of the screen, centred.
    local size w h
    size=$(echo "$1" | cut -dx -f1-2); w=${size%x*}; h=${size#*x}
    local sw=$((h * 4 / 3))
    convert "$GAME/root.png" -crop "${sw}x${h}+$(((w - sw) / 2))+0" -resize 640x480! \
        "$GAME/seen.png"
    closer "$GAME/seen.png" "$GAME/gate.jpg" "$GAME/court.jpg" ||
        { echo "the first view is not on the $1 screen"; return 1; }
    end_game focused
    local status=$?
    [ -n "${WM_PID:-}" ] && kill $WM_PID 2>/dev/null; WM_PID=
    kill $XVFB_PID 2>/dev/null; wait $XVFB_PID 2>/dev/null; XVFB_PID=
    [ $status -eq 0 ]
}

play 640x480x16 0 || exit 1
play 1920x1080x24 1 || exit 1
