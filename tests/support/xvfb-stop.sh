#!/bin/sh
# Stops the virtual display that xvfb-start.sh started in DIR and waits until it has ended.
dir=$1
if [ -s "$dir/pid" ]; then
    pid=$(cat "$dir/pid")
    kill "$pid" 2>/dev/null || true
    deadline=$(($(date +%s) + 10))
    while kill -0 "$pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do
        sleep 0.05
    done
    rm -f "$dir/pid" "$dir/display" "$dir/display.fd"
fi
exit 0
