# "Konec programu" and Escape each end the real program at once with status 0.
set -u
source "$(dirname "$0")/driver.sh"
drv_begin

drv_start_gallery "$GALLERY_BIN"
drv_menu 7
drv_wait_exit 30
[ "$DRV_STATUS" = 0 ] || drv_fail "\"Konec programu\" ended with status $DRV_STATUS"

drv_start_gallery "$GALLERY_BIN"
drv_key_quit Escape
drv_wait_exit 30
[ "$DRV_STATUS" = 0 ] || drv_fail "Escape ended with status $DRV_STATUS"
echo "both ways out end with status 0"
