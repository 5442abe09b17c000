# objtool view on the virtual display: the window bears the model's file name and shows the
# picture that render draws without a display, "]" widens the smoothing angle, "f" switches to
# flat shading, a drag turns the model, and "q" ends it with status 0.
set -u
source "$(dirname "$0")/driver.sh"
drv_begin
shots=$(mktemp -d)
trap 'drv_stop; rm -rf "$shots"' EXIT

drv_start_program '^brokovnice\.obj: ' "$OBJTOOL_BIN" view modely/brokovnice.obj
drv_shot "$shots/window.png"
env -u DISPLAY "$OBJTOOL_BIN" render modely/brokovnice.obj "$shots/render.png" ||
    drv_fail "render failed"
# Only the window's part on the screen is captured; with no window manager it may start just
# off the screen's edge.
eval "$(xdotool getwindowgeometry --shell "$DRV_WINDOW")"
visible=$(identify -format '%wx%h' "$shots/window.png")
convert "$shots/render.png" -crop "$visible+$((X < 0 ? -X : 0))+$((Y < 0 ? -Y : 0))" +repage \
    "$shots/rendered.png"
differing=$(compare -metric AE "$shots/window.png" "$shots/rendered.png" null: 2>&1)
[ "${differing%%.*}" -le 100 ] 2>/dev/null ||
    drv_fail "the window and render's picture differ in $differing pixels"

# The title follows a key once the window has drawn the next frame.
wait_title() {
    for _ in $(seq 100); do
        title=$(xdotool getwindowname "$DRV_WINDOW")
        [[ $title == *"$1" ]] && return 0
        sleep 0.1
    done
    drv_fail "\"$2\" left the title \"$title\""
}
drv_key s bracketright
wait_title "; smooth (105 degrees), materials" "]"
drv_key f
wait_title "; flat, materials" f
drv_shot "$shots/before.png"
drv_drag 160 240 480 240
drv_shot "$shots/after.png"
changed=$(compare -metric AE "$shots/before.png" "$shots/after.png" null: 2>&1)
[ "${changed%%.*}" -gt 2000 ] 2>/dev/null || drv_fail "a drag changed only $changed pixels"
drv_key_quit q
drv_wait_exit 30
[ "$DRV_STATUS" = 0 ] || drv_fail "\"q\" ended objtool view with status $DRV_STATUS"
echo "window and render differ in $differing pixels; title \"$title\"; the drag changed" \
    "$changed pixels; \"q\" ended it with status 0"
