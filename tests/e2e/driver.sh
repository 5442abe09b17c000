# Drives the real gallery with real input events on a virtual display of its own.
# Source it from bash; every function exits the script with a message on failure.
#
#   drv_begin                    stop everything when the script ends, and start the display
#   drv_start_display            start Xvfb (24-bit) and export DISPLAY
#   drv_start_gallery BIN [DIR]  start the program in DIR (default: the repository root),
#                                preloading $DRV_PRELOAD and run through $DRV_WRAPPER if set
#   drv_start_program TITLE BIN [ARGS...]
#                                start another program in the repository root and wait for
#                                its window, whose title matches the extended regex TITLE
#   drv_key KEY...               press keys in the window (xdotool key names)
#   drv_key_quit KEY             press a key that ends the program
#   drv_open_menu                press the right button and wait for the menu to open
#   drv_menu N                   choose menu entry N (1 to 7) with the right mouse button
#   drv_frames_settle            give the program time to draw a few frames
#   drv_shot FILE                save a PNG screenshot of the window
#   drv_drag X1 Y1 X2 Y2         drag with the left button between two points of the window
#   drv_fire DIR                 press "1" while grabbing frames into DIR (the explosion is fast)
#   drv_region_brightness IMAGE  mean brightness (0 to 1000) where the explosion shows
#   drv_wait_exit [SECONDS]      wait for the program to end; sets DRV_STATUS
#   drv_stop                     end the program and the display

DRV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
DRV_XVFB_PID=""
DRV_PID=""
DRV_WINDOW=""
DRV_STATUS=""
DRV_LOG=""
# freeglut's menu entries are about 27 pixels apart; the first one's middle lies this far
# below the point where the menu opens.
DRV_MENU_ENTRY_HEIGHT=27
DRV_MENU_FIRST=14

drv_fail() {
    echo "driver: $*" >&2
    if [ -n "$DRV_LOG" ] && [ -s "$DRV_LOG" ]; then
        echo "--- program output:" >&2
        cat "$DRV_LOG" >&2
    fi
    drv_stop
    exit 1
}

drv_begin() {
    trap drv_stop EXIT
    drv_start_display
}

drv_start_display() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 </dev/null &
    DRV_XVFB_PID=$!
    local tries=0
    while [ ! -s "$fdfile" ]; do
        tries=$((tries + 1))
        [ $tries -le 200 ] || drv_fail "Xvfb did not start"
        sleep 0.05
    done
    export DISPLAY=":$(tr -d '\n' <"$fdfile")"
    rm -f "$fdfile"
    export LIBGL_ALWAYS_SOFTWARE=1
}

drv_start_gallery() {
    DRV_TITLE='^Hlavni okno$' drv_launch "${2:-$DRV_ROOT}" "$(realpath "$1")"
}

drv_start_program() {
    local title=$1 bin
    bin=$(realpath "$2")
    shift 2
    DRV_TITLE=$title drv_launch "$DRV_ROOT" "$bin" "$@"
}

# drv_launch DIR BIN [ARGS...]: starts BIN in DIR and waits for a window titled $DRV_TITLE.
drv_launch() {
    local dir=$1
    shift
    DRV_LOG=$(mktemp)
    # shellcheck disable=SC2086 # the wrapper is a command with its arguments
    (cd "$dir" && LD_PRELOAD=${DRV_PRELOAD:-} exec ${DRV_WRAPPER:-} "$@") >"$DRV_LOG" 2>&1 &
    DRV_PID=$!
    local tries=0
    DRV_WINDOW=""
    while [ -z "$DRV_WINDOW" ]; do
        drv_running || drv_fail "the program ended before its window appeared"
        tries=$((tries + 1))
        [ $tries -le $((${DRV_START_SECONDS:-20} * 5)) ] ||
            drv_fail "no window titled \"$DRV_TITLE\" appeared"
        sleep 0.2
        DRV_WINDOW=$(xdotool search --onlyvisible --name "$DRV_TITLE" 2>/dev/null | head -n 1)
    done
    # No window manager gives the window the focus; without it xdotool warns at every key.
    xdotool windowfocus "$DRV_WINDOW"
    drv_frames_settle
}

drv_running() {
    [ -n "$DRV_PID" ] && kill -0 "$DRV_PID" 2>/dev/null
}

drv_frames_settle() {
    sleep "${1:-0.5}"
}

drv_key() {
    drv_running || drv_fail "the program is not running (keys $*)"
    xdotool key --window "$DRV_WINDOW" --delay 30 "$@"
    drv_frames_settle 0.3
}

# The window is gone before the key's release arrives, which xdotool reports as an X error.
drv_key_quit() {
    drv_running || drv_fail "the program is not running (key $1)"
    xdotool key --window "$DRV_WINDOW" "$1" 2>/dev/null || true
}

# The window under the pointer.
drv_window_under_pointer() {
    eval "$(xdotool getmouselocation --shell)"
    echo "$WINDOW"
}

# Presses the right button over the window and waits for the menu's own window to open under
# the pointer (the program opens it between frames, which take long on a software renderer).
# Sets DRV_MENU_WINDOW.
drv_open_menu() {
    drv_running || drv_fail "the program is not running (menu)"
    eval "$(xdotool getwindowgeometry --shell "$DRV_WINDOW")"
    DRV_MENU_X=$((X + 60))
    DRV_MENU_Y=$((Y + 40))
    xdotool mousemove --sync "$DRV_MENU_X" "$DRV_MENU_Y"
    xdotool mousedown 3
    local tries=0
    DRV_MENU_WINDOW=$(drv_window_under_pointer)
    while [ "$DRV_MENU_WINDOW" = "$DRV_WINDOW" ]; do
        tries=$((tries + 1))
        [ $tries -le 150 ] || drv_fail "the right button opened no menu"
        sleep 0.1
        DRV_MENU_WINDOW=$(drv_window_under_pointer)
    done
}

# Opens the menu, moves onto entry N and releases the button there.
drv_menu() {
    local entry=$1
    drv_open_menu
    local y=$((DRV_MENU_Y + DRV_MENU_FIRST + (entry - 1) * DRV_MENU_ENTRY_HEIGHT))
    # Two moves inside the entry, so the menu sees the pointer on it even when a slow frame
    # held back the first.
    xdotool mousemove --sync $((DRV_MENU_X + 20)) "$y"
    sleep 0.3
    xdotool mousemove --sync $((DRV_MENU_X + 24)) $((y + 1))
    sleep 0.5
    xdotool mouseup 3
    drv_frames_settle 1
}

drv_drag() {
    drv_running || drv_fail "the program is not running (drag)"
    eval "$(xdotool getwindowgeometry --shell "$DRV_WINDOW")"
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) mousedown 1
    # In steps, as a hand moves: the program turns the model by each motion it sees.
    local step
    for step in 1 2 3 4; do
        xdotool mousemove --sync $((X + $1 + ($3 - $1) * step / 4)) $((Y + $2 + ($4 - $2) * step / 4))
        sleep 0.1
    done
    xdotool mouseup 1
    drv_frames_settle
}

drv_shot() {
    drv_running || drv_fail "the program is not running (screenshot $1)"
    import -window "$DRV_WINDOW" "$1" || drv_fail "screenshot $1 failed"
}

# Grabs frames into DIR from just before the key on, for a second and a half: the explosion's
# ten frames go by faster than a screenshot is saved in a fast build, and a sanitizer build
# may not show the first of them for a while.
drv_fire() {
    local dir=$1
    drv_running || drv_fail "the program is not running (fire)"
    mkdir -p "$dir"
    (
        local n=0 until=$(($(date +%s%N) + 1500000000))
        while [ "$(date +%s%N)" -lt "$until" ]; do
            n=$((n + 1))
            xwd -silent -id "$DRV_WINDOW" -out "$dir/$n.xwd"
        done
    ) &
    local grabber=$!
    sleep 0.05
    xdotool key --window "$DRV_WINDOW" 1
    wait "$grabber"
}

# The explosion square stands 3 units ahead of the firing view's eye and 1 below it.
drv_region_brightness() {
    convert "$1" -crop 80x60+280+280 -colorspace gray -format "%[fx:mean*1000]" info: |
        cut -d. -f1
}

# The brightest of the frames that drv_fire grabbed into DIR, as a PNG file.
drv_brightest_grab() {
    local dir=$1 out=$2 best=-1 value grab
    for grab in "$dir"/*.xwd; do
        value=$(drv_region_brightness "xwd:$grab")
        if [ "$value" -gt "$best" ]; then
            best=$value
            convert "xwd:$grab" "$out"
        fi
    done
    echo "$best"
}

drv_wait_exit() {
    local seconds=${1:-10} waited=0
    while drv_running; do
        waited=$((waited + 1))
        [ $waited -le $((seconds * 10)) ] || drv_fail "the program did not end within $seconds s"
        sleep 0.1
    done
    DRV_STATUS=0
    wait "$DRV_PID" || DRV_STATUS=$?
    DRV_PID=""
}

drv_stop() {
    if drv_running; then
        kill "$DRV_PID" 2>/dev/null || true
        wait "$DRV_PID" 2>/dev/null || true
    fi
    DRV_PID=""
    if [ -n "$DRV_XVFB_PID" ]; then
        kill "$DRV_XVFB_PID" 2>/dev/null || true
        wait "$DRV_XVFB_PID" 2>/dev/null || true
        DRV_XVFB_PID=""
    fi
}
