# Drives a real program (the gallery, or objtool view) with real input events on a virtual
# display of its own. Source it from bash; every function exits the script with a message on
# failure. Nothing waits a fixed time: each step waits for what it needs (the window mapped,
# the menu opened or closed, a frame drawn) until a deadline of $DRV_WAIT_SECONDS (default 30;
# longer under valgrind).
#
# Frames are counted by the frame probe (frame_probe.cpp), preloaded into the program: the one
# the build made where $GALLERY_PROBE names it, as in the test suite, else one the driver
# compiles for itself (the tour of scripts/run, whose build makes no tests).
#
#   drv_begin                    stop everything when the script ends, and start the display
#   drv_start_display            start Xvfb (tests/support/xvfb-start.sh) and export DISPLAY
#   drv_start_gallery BIN [DIR]  start the program in DIR (default: the repository root), run
#                                through $DRV_WRAPPER if set, and wait for its window and its
#                                first frame
#   drv_start_program TITLE BIN [ARGS...]
#                                start another program in the repository root and wait for
#                                its window, whose title matches the extended regex TITLE
#   drv_key KEY...               press keys in the window (xdotool key names) and wait until
#                                a frame drawn after them shows them
#   drv_key_quit KEY             press a key that ends the program
#   drv_open_menu                press the right button and wait for the menu to open
#   drv_menu N                   choose menu entry N (1 to 7) with the right mouse button
#   drv_frames_settle [N]        wait until N more frames (default 3) are drawn
#   drv_shot FILE                save a PNG screenshot of the window
#   drv_drag X1 Y1 X2 Y2         drag with the left button between two points of the window
#   drv_fire DIR                 press "1" while grabbing frames into DIR (the explosion is fast)
#   drv_region_brightness IMAGE  mean brightness (0 to 1000) where the explosion shows
#   drv_wait_exit [SECONDS]      wait for the program to end; sets DRV_STATUS
#   drv_stop                     end the program and the display

DRV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
DRV_DIR=$(mktemp -d)
DRV_XVFB_DIR=""
DRV_PID=""
DRV_WINDOW=""
DRV_STATUS=""
DRV_LOG=""
DRV_MARK=""
DRV_MENU_ENTRIES=7

drv_fail() {
    echo "driver: $*" >&2
    if [ -n "$DRV_LOG" ] && [ -s "$DRV_LOG" ]; then
        echo "--- program output:" >&2
        cat "$DRV_LOG" >&2
    fi
    drv_stop
    exit 1
}

# A pipe that nobody writes to: reading it with a timeout pauses between two checks of a
# condition without starting a process, so that the polling leaves the processors to the
# program.
mkfifo "$DRV_DIR/pause"
exec {DRV_PAUSE}<>"$DRV_DIR/pause"

# drv_wait_until WHAT COMMAND...: runs COMMAND until it succeeds; fails naming WHAT when the
# deadline passes first, or when the program had ended before a run that did not succeed.
drv_wait_until() {
    local what=$1 deadline=$((SECONDS + ${DRV_WAIT_SECONDS:-30})) ended
    shift
    while true; do
        ended=no
        if [ -n "$DRV_PID" ] && ! drv_running; then
            ended=yes
        fi
        "$@" && return 0
        if [ $ended = yes ]; then
            local status=0
            wait "$DRV_PID" || status=$?
            DRV_PID=""
            drv_fail "the program ended with status $status while waiting for $what"
        fi
        [ "$SECONDS" -lt "$deadline" ] ||
            drv_fail "no $what within ${DRV_WAIT_SECONDS:-30} s"
        read -r -t 0.05 -u "$DRV_PAUSE" || true
    done
}

drv_begin() {
    trap drv_stop EXIT
    drv_start_display
}

drv_start_display() {
    DRV_XVFB_DIR=$DRV_DIR/xvfb
    sh "$DRV_ROOT/tests/support/xvfb-start.sh" "$DRV_XVFB_DIR" 1024x768 >/dev/null ||
        drv_fail "the virtual display did not start"
    DISPLAY=$(cat "$DRV_XVFB_DIR/display")
    export DISPLAY
    export LIBGL_ALWAYS_SOFTWARE=1
}

# The gallery draws all the time: the frame that is drawing while keys arrive may not show
# them, the next one may have begun before they were read, the one after shows them.
drv_start_gallery() {
    DRV_INPUT_FRAMES=3
    DRV_TITLE='^Hlavni okno$'
    drv_launch "${2:-$DRV_ROOT}" "$(realpath "$1")"
}

# objtool view draws only when something changed: its next frame shows the input.
drv_start_program() {
    local title=$1 bin
    bin=$(realpath "$2")
    shift 2
    DRV_INPUT_FRAMES=1
    DRV_TITLE=$title
    drv_launch "$DRV_ROOT" "$bin" "$@"
}

drv_window_found() {
    DRV_WINDOW=$(xdotool search --onlyvisible --name "$DRV_TITLE" 2>/dev/null | head -n 1)
    [ -n "$DRV_WINDOW" ]
}

# drv_launch DIR BIN [ARGS...]: starts BIN in DIR and waits for a window titled $DRV_TITLE
# and its first frame.
drv_launch() {
    local dir=$1
    shift
    drv_find_probe
    DRV_LOG=$(mktemp "$DRV_DIR/log.XXXXXX")
    DRV_FRAMES_FILE=$DRV_DIR/frames
    rm -f "$DRV_FRAMES_FILE"
    # shellcheck disable=SC2086 # the wrapper is a command with its arguments
    (cd "$dir" && GALLERY_PROBE_FRAMES_FILE=$DRV_FRAMES_FILE LD_PRELOAD=$DRV_PROBE \
        exec ${DRV_WRAPPER:-} "$@") >"$DRV_LOG" 2>&1 &
    DRV_PID=$!
    DRV_WINDOW=""
    drv_wait_until "window titled \"$DRV_TITLE\"" drv_window_found
    # No window manager gives the window the focus; without it xdotool warns at every key.
    xdotool windowfocus "$DRV_WINDOW"
    DRV_MARK=0
    drv_wait_until "first frame" drv_drawn_since_mark 1
}

# Sets DRV_PROBE to the frame probe, building one the first time where none is named.
drv_find_probe() {
    DRV_PROBE=${GALLERY_PROBE:-$DRV_DIR/frame_probe.so}
    if [ ! -e "$DRV_PROBE" ]; then
        "${CXX:-c++}" -O2 -shared -fPIC -o "$DRV_PROBE" "$DRV_ROOT/tests/e2e/frame_probe.cpp" \
            -ldl || drv_fail "cannot build the frame probe"
    fi
}

drv_running() {
    [ -n "$DRV_PID" ] && kill -0 "$DRV_PID" 2>/dev/null
}

drv_frames() {
    local count=0
    read -r count 2>/dev/null <"$DRV_FRAMES_FILE" || true
    echo "${count:-0}"
}

# Remembers the frame count before an input.
drv_mark() {
    DRV_MARK=$(drv_frames)
}

drv_drawn_since_mark() {
    local count=0
    read -r count 2>/dev/null <"$DRV_FRAMES_FILE" || true
    [ "${count:-0}" -ge $((DRV_MARK + ${1:-$DRV_INPUT_FRAMES})) ]
}

# drv_wait_drawn [N]: waits until N frames (default: as many as an input needs to show) were
# drawn since the mark.
drv_wait_drawn() {
    drv_wait_until "frame drawn" drv_drawn_since_mark "${1:-$DRV_INPUT_FRAMES}"
}

drv_frames_settle() {
    drv_running || drv_fail "the program is not running (frames)"
    drv_mark
    drv_wait_drawn "${1:-3}"
}

drv_key() {
    drv_running || drv_fail "the program is not running (keys $*)"
    drv_mark
    xdotool key --window "$DRV_WINDOW" --delay 30 "$@"
    drv_wait_drawn
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

# The menu's own window is mapped under the pointer. Sets DRV_MENU_WINDOW and DRV_MENU_X, _Y,
# _WIDTH and _HEIGHT, its place on the screen.
drv_menu_mapped() {
    DRV_MENU_WINDOW=$(drv_window_under_pointer)
    [ -n "$DRV_MENU_WINDOW" ] && [ "$DRV_MENU_WINDOW" != "$DRV_WINDOW" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$DRV_MENU_WINDOW" | sed 's/^/DRV_MENU_/')"
}

drv_menu_closed() {
    ! xwininfo -id "$DRV_MENU_WINDOW" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Presses the right button over the window and waits for the menu's window to open under the
# pointer.
drv_open_menu() {
    drv_running || drv_fail "the program is not running (menu)"
    eval "$(xdotool getwindowgeometry --shell "$DRV_WINDOW")"
    xdotool mousemove --sync $((X + 60)) $((Y + 40))
    xdotool mousedown 3
    drv_wait_until "menu opened" drv_menu_mapped
}

# Opens the menu and releases the button on the middle of entry N, found from the menu's
# window, whose height the entries share: freeglut chooses the entry under the release. Then
# waits for the menu to close, which shows that the program took the choice, and for it to
# draw what it chose, or to end, as some choices make it.
drv_menu() {
    local entry=$1
    drv_open_menu
    xdotool mousemove --sync $((DRV_MENU_X + DRV_MENU_WIDTH / 2)) \
        $((DRV_MENU_Y + DRV_MENU_HEIGHT * (2 * entry - 1) / (2 * DRV_MENU_ENTRIES)))
    xdotool mouseup 3
    drv_wait_until "menu closed" drv_menu_closed
    drv_mark
    drv_wait_until "frame drawn after menu entry $entry" drv_drawn_or_ended
}

drv_drawn_or_ended() {
    drv_ended || drv_drawn_since_mark
}

# In steps, as a hand moves, each step drawn before the next: the program turns the model by
# each motion it sees.
drv_drag() {
    drv_running || drv_fail "the program is not running (drag)"
    eval "$(xdotool getwindowgeometry --shell "$DRV_WINDOW")"
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) mousedown 1
    local step
    for step in 1 2 3 4; do
        drv_mark
        xdotool mousemove --sync $((X + $1 + ($3 - $1) * step / 4)) $((Y + $2 + ($4 - $2) * step / 4))
        drv_wait_drawn
    done
    xdotool mouseup 1
}

drv_shot() {
    drv_running || drv_fail "the program is not running (screenshot $1)"
    import -window "$DRV_WINDOW" "$1" || drv_fail "screenshot $1 failed"
}

# Grabs frames into DIR from the key on, until the frame after the explosion's last: its ten
# frames go by faster than a screenshot is saved in a fast build.
drv_fire() {
    local dir=$1 n=0
    drv_running || drv_fail "the program is not running (fire)"
    mkdir -p "$dir"
    drv_mark
    xdotool key --window "$DRV_WINDOW" 1
    until drv_drawn_since_mark $((DRV_INPUT_FRAMES + 10)); do
        drv_running || drv_fail "the program ended while firing"
        n=$((n + 1))
        xwd -silent -id "$DRV_WINDOW" -out "$dir/$n.xwd"
    done
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

drv_ended() {
    ! drv_running
}

drv_wait_exit() {
    DRV_WAIT_SECONDS=${1:-10} drv_wait_until "end of the program" drv_ended
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
    if [ -n "$DRV_XVFB_DIR" ]; then
        sh "$DRV_ROOT/tests/support/xvfb-stop.sh" "$DRV_XVFB_DIR"
        DRV_XVFB_DIR=""
    fi
    rm -rf "$DRV_DIR"
}
