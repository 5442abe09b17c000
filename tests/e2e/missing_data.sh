# The real program with data missing. Without "modely/brokovnice.obj" it runs in the panoramic
# and walk-through views and ends with the reader's message and status 1 when the gun is first
# shown. Without textury/ at all it starts and runs, the gun included.
set -u
source "$(dirname "$0")/driver.sh"
trap 'drv_stop; rm -rf "$data"' EXIT
data=$(mktemp -d)
drv_start_display

mkdir "$data/no-model"
cp -r "$DRV_ROOT/textury" "$data/no-model/"
mkdir "$data/no-model/modely"
drv_start_gallery "$GALLERY_BIN" "$data/no-model"
drv_frames_settle 1
drv_menu 1
drv_key Up Up Left
drv_menu 2
drv_frames_settle 1
drv_running || drv_fail "the program ended before the gun was shown"
drv_menu 3
drv_wait_exit 10
[ "$DRV_STATUS" = 1 ] || drv_fail "ended with status $DRV_STATUS, not 1"
grep -qxF 'glmReadOBJ() failed: can'"'"'t open data file "modely/brokovnice.obj".' "$DRV_LOG" ||
    drv_fail "the reader's message is missing"

mkdir "$data/no-pictures"
cp -r "$DRV_ROOT/modely" "$data/no-pictures/"
drv_start_gallery "$GALLERY_BIN" "$data/no-pictures"
drv_menu 4
drv_key 1 Left 1
drv_menu 1
drv_key Up Up
drv_running || drv_fail "the program ended without its pictures"
drv_key_quit Escape
drv_wait_exit 10
[ "$DRV_STATUS" = 0 ] || drv_fail "ended with status $DRV_STATUS"
echo "missing model ends with the reader's message at the first shown gun; no pictures runs"
