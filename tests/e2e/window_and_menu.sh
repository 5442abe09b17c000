# The real program's window and menu: title, size, the seven-entry menu on the right button.
set -u
source "$(dirname "$0")/driver.sh"
drv_begin
drv_start_gallery "$GALLERY_BIN"

[ "$(xdotool getwindowname "$DRV_WINDOW")" = "Hlavni okno" ] || drv_fail "wrong window title"
eval "$(xdotool getwindowgeometry --shell "$DRV_WINDOW")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || drv_fail "window is ${WIDTH}x${HEIGHT}, not 640x480"

# The menu opens as a window of its own under the pointer, tall enough for seven entries.
drv_open_menu
eval "$(xdotool getwindowgeometry --shell "$DRV_MENU_WINDOW")"
xdotool mouseup 3
entries=$(( (HEIGHT + DRV_MENU_ENTRY_HEIGHT / 2) / DRV_MENU_ENTRY_HEIGHT ))
[ "$entries" = 7 ] || drv_fail "the menu is $HEIGHT pixels high: $entries entries, not 7"
echo "window and menu as expected"
