# The headless tour: plays the gallery on a virtual display with real input events and saves
# a screenshot of each stop into a folder whose path it prints.
# Usage: tests/e2e/tour.sh GALLERY_BINARY [OUTPUT_FOLDER]
set -u
source "$(dirname "$0")/driver.sh"
bin=$1
out=${2:-$(mktemp -d /tmp/gallery-tour.XXXXXX)}
mkdir -p "$out"

drv_begin
drv_start_gallery "$bin"

stop=0
shot() {
    stop=$((stop + 1))
    drv_shot "$out/$(printf '%02d' "$stop")-$1.png"
}

drv_frames_settle
shot panorama

drv_menu 1 # "Prochazeni sceny"
shot walk-start
drv_key Up Up Up Up Up Up Up Up Left Left Left Left Left Prior Prior
shot walk-moved

for entry in 3 4 5; do # "Palebne stanoviste 1" to "3"
    position=$((entry - 2))
    drv_menu "$entry"
    shot "firing-$position"
    drv_key Left Up Up
    stop=$((stop + 1))
    drv_fire "$out/grabs"
    drv_brightest_grab "$out/grabs" "$out/$(printf '%02d' "$stop")-firing-$position-shot.png" >/dev/null
    rm -rf "$out/grabs"
    drv_frames_settle
    shot "firing-$position-after"
done

drv_key 0 # reload
shot reloaded

drv_menu 7 # "Konec programu"
drv_wait_exit 10
[ "$DRV_STATUS" = 0 ] || drv_fail "the gallery ended with status $DRV_STATUS"
echo "Tour screenshots: $out"
