# The real program's window and menu: title, size, and the menu on the right button, a window
# of its own, as tall as seven of freeglut's entries (its 18-pixel font, about 25 pixels apart)
# and no more.
set -u
source "$(dirname "$0")/driver.sh"
drv_begin
drv_start_gallery "$GALLERY_BIN"

[ "$(xdotool getwindowname "$DRV_WINDOW")" = "Hlavni okno" ] || drv_fail "wrong window title"
eval "$(xdotool getwindowgeometry --shell "$DRV_WINDOW")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || drv_fail "window is ${WIDTH}x${HEIGHT}, not 640x480"

drv_open_menu
xdotool mouseup 3
[ "$DRV_MENU_HEIGHT" -ge $((7 * 22)) ] && [ "$DRV_MENU_HEIGHT" -le $((7 * 28)) ] ||
    drv_fail "the menu is $DRV_MENU_HEIGHT pixels high, not seven entries"
echo "window and menu as expected"
