#!/bin/sh
# Starts a virtual X display (Xvfb, 24-bit) for the tests that need one: the GL tests share one
# for a whole ctest run (tests/CMakeLists.txt), and each script of the e2e driver starts one of
# its own (tests/e2e/driver.sh). Writes the display's name to DIR/display and the server's
# process to DIR/pid; xvfb-stop.sh DIR ends it. -displayfd lets the server pick a free display
# number, so parallel runs do not race.
# Usage: xvfb-start.sh DIR [WIDTHxHEIGHT]   (default 4000x4000, room for many test windows)
set -eu
dir=$1
size=${2:-4000x4000}
mkdir -p "$dir"
rm -f "$dir/display" "$dir/pid"
: > "$dir/display.fd"
setsid Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
    3>"$dir/display.fd" >"$dir/xvfb.log" 2>&1 </dev/null &
echo $! > "$dir/pid"
# The server writes its display number once it accepts clients.
deadline=$(($(date +%s) + 20))
while [ ! -s "$dir/display.fd" ]; do
    if ! kill -0 "$(cat "$dir/pid")" 2>/dev/null || [ "$(date +%s)" -ge "$deadline" ]; then
        echo "Xvfb did not start:" >&2
        cat "$dir/xvfb.log" >&2
        exit 1
    fi
    sleep 0.05
done
echo ":$(tr -d '\n' < "$dir/display.fd")" > "$dir/display"
echo "Xvfb running on $(cat "$dir/display")"
