#!/bin/sh
# Starts a virtual X display for the GL tests and writes its name to DIR/display.
# -displayfd lets the server pick a free display number, so parallel runs do not race.
set -eu
dir=$1
mkdir -p "$dir"
rm -f "$dir/display" "$dir/pid"
: > "$dir/display.fd"
setsid Xvfb -displayfd 3 -screen 0 4000x4000x24 -nolisten tcp -noreset \
    3>"$dir/display.fd" >"$dir/xvfb.log" 2>&1 </dev/null &
echo $! > "$dir/pid"
tries=0
while [ ! -s "$dir/display.fd" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ]; then
        echo "Xvfb did not start:" >&2
        cat "$dir/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done
echo ":$(tr -d '\n' < "$dir/display.fd")" > "$dir/display"
echo "Xvfb running on $(cat "$dir/display")"
