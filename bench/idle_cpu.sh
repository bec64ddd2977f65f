#!/usr/bin/env bash
# Idle cost of engine-windowed: the share of one core the program takes while nothing
# moves on its screen (the demo's first view, the pointer still beside the gateway),
# read from /proc over a fixed period on a private Xvfb display. The X server's share is
# printed too: it does the other half of every present.
# Usage: bench/idle_cpu.sh BUILD-DIR [SECONDS] [SCREEN]   e.g. bench/idle_cpu.sh build 30
set -u
build=$(cd "$1" && pwd)
seconds=${2:-30}
screen=${3:-1024x768x24}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/demo/x_session.sh"
need Xvfb xdotool
trap stop_x EXIT
copy_demo "$build"
start_x "$screen"
cd "$GAME"
SDL_AUDIODRIVER=dummy "$build/engine-windowed" >engine.log 2>&1 &
ENGINE_PID=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vorlen$' | head -n 1)
[ -n "$win" ] || { echo "no window"; cat engine.log; exit 1; }
xdotool mousemove --window "$win" 100 100
sleep 3  # start-up and the first frames are not idle

ticks() {  # user + system clock ticks of a process
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
hz=$(getconf CLK_TCK)
e0=$(ticks $ENGINE_PID); x0=$(ticks $XVFB_PID); t0=$(date +%s.%N)
sleep "$seconds"
e1=$(ticks $ENGINE_PID); x1=$(ticks $XVFB_PID); t1=$(date +%s.%N)
awk -v e=$((e1 - e0)) -v x=$((x1 - x0)) -v hz="$hz" -v t0="$t0" -v t1="$t1" 'BEGIN {
    wall = t1 - t0
    printf "engine-windowed: %.1f %% of a core over %.1f s; Xvfb: %.1f %%\n",
        100 * e / hz / wall, wall, 100 * x / hz / wall }'
