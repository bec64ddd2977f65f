# Helpers for the real-window checks: a private Xvfb display and picture comparisons.
# Sourced by the check scripts; exit status 77 means "skipped".

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
    done
}

# start_x WIDTHxHEIGHTxDEPTH: starts a private Xvfb and exports DISPLAY.
start_x() {
    local started
    started=$("$(dirname "${BASH_SOURCE[0]}")/../support/start-xvfb.sh" "$1") || {
        echo "could not start Xvfb"; exit 1; }
    export DISPLAY=:${started% *}
    XVFB_PID=${started#* }
}

stop_x() {
    [ -n "${ENGINE_PID:-}" ] && kill $ENGINE_PID 2>/dev/null
    [ -n "${WM_PID:-}" ] && kill $WM_PID 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill $XVFB_PID 2>/dev/null
    [ -n "${GAME:-}" ] && rm -rf "$GAME"
    return 0
}

# copy_demo BUILD: a throwaway copy of the generated demo game in $GAME.
copy_demo() {
    [ -f "$1/demo-game/init.scn" ] || { echo "the demo game was not generated"; exit 1; }
    GAME=$(mktemp -d)
    cp -r "$1/demo-game/." "$GAME/"
}

# rmse A B: root-mean-square difference of two pictures, 0 (same) to 1.
rmse() {
    compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

# closer A B C: true when picture A is nearer to B than to C (by a clear margin).
closer() {
    local ab ac
    ab=$(rmse "$1" "$2"); ac=$(rmse "$1" "$3")
    echo "difference to $(basename "$2"): $ab, to $(basename "$3"): $ac"
    awk -v ab="$ab" -v ac="$ac" 'BEGIN { exit !(ab != "" && ac != "" && ab < 0.12 && ab * 2 < ac) }'
}

# start_engine PROGRAM: runs the program (a path) in the game copy, sound silent unless
# SDL_AUDIODRIVER says otherwise, and finds its window in $win; false when none shows.
start_engine() {
    (cd "$GAME" && SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} exec "$1" >"$GAME/engine.log" 2>&1) &
    ENGINE_PID=$!
    win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vorlen$' | head -n 1)
    [ -n "$win" ] || { echo "no window"; cat "$GAME/engine.log"; return 1; }
}

# end_game [focused]: Escape shows the ending and a key ends the program (sent to its
# window, or with "focused" to the window that has the keyboard); prints and returns the
# exit status.
end_game() {
    local target=(--window "$win")
    [ "${1:-}" = focused ] && target=()
    xdotool key "${target[@]}" Escape && sleep 2
    xdotool key "${target[@]}" a
    wait_exit $ENGINE_PID 10
    local status=$?
    ENGINE_PID=
    echo "exit status: $status"
    return $status
}

# wait_exit PID SECONDS: waits for the program, prints and returns its exit status.
wait_exit() {
    local pid=$1
    for _ in $(seq $(($2 * 10))); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }
        sleep 0.1
    done
    echo "the program did not end"
    return 124
}

# wait_view WINDOW PICTURE SECONDS: waits until the window shows the picture (the title
# movie plays first, and nothing answers until it ends); false if it never does.
wait_view() {
    local shot d
    shot=$(mktemp --suffix=.png)
    for _ in $(seq $(($3 * 2))); do
        import -window "$1" "$shot" 2>/dev/null
        d=$(rmse "$shot" "$2")
        if awk -v d="$d" 'BEGIN { exit !(d != "" && d < 0.12) }'; then
            rm -f "$shot"
            return 0
        fi
        sleep 0.5
    done
    rm -f "$shot"
    echo "the window never showed $(basename "$2") (last difference $d)"
    return 1
}
