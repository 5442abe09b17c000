#!/bin/sh
# Stops the virtual display started by xvfb-start.sh.
dir=$1
if [ -s "$dir/pid" ]; then
    kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid" "$dir/display" "$dir/display.fd"
fi
exit 0
