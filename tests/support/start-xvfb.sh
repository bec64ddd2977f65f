#!/usr/bin/env bash
# Starts a private Xvfb server on a display number the server picks itself (so checks
# running side by side never race for one) and prints "DISPLAY-NUMBER PID" once it
# accepts clients. Usage: start-xvfb.sh [WIDTHxHEIGHTxDEPTH]. Exit status 1 on failure.
size=${1:-1024x768x24}
numberFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
pid=$!
# A loaded machine can take several seconds to bring the server up.
for _ in $(seq 300); do
    number=$(head -n 1 "$numberFile" 2>/dev/null)
    if [ -n "$number" ]; then
        rm -f "$numberFile"
        echo "$number $pid"
        exit 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
rm -f "$numberFile"
kill "$pid" 2>/dev/null
exit 1
