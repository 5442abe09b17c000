# Shooting in the real program: at "Palebne stanoviste 2" six presses of "1" show the explosion
# after the first shot and none after the sixth, when the five cartridges are spent.
set -u
source "$(dirname "$0")/driver.sh"
out=$(mktemp -d)
drv_begin
drv_start_gallery "$GALLERY_BIN"
drv_menu 4
drv_frames_settle

# Presses "1" and returns the brightest the explosion's region got over the next moment.
brightest_after_shot() {
    drv_fire "$out/$1"
    drv_brightest_grab "$out/$1" "$out/$1.png"
}

drv_shot "$out/before.png"
before=$(drv_region_brightness "$out/before.png")
first=$(brightest_after_shot first)
[ "$first" -gt $((before + 30)) ] ||
    drv_fail "no explosion after the first shot (region $before before, at most $first after)"
for shot in 2 3 4 5; do
    brightest_after_shot "shot$shot" >/dev/null
    drv_frames_settle
done
drv_shot "$out/spent.png"
spent=$(drv_region_brightness "$out/spent.png")
sixth=$(brightest_after_shot sixth)
[ "$sixth" -le $((spent + 5)) ] ||
    drv_fail "an explosion after the sixth shot with no cartridge left ($spent before, $sixth after)"
rm -rf "$out"
echo "explosion after the first shot ($before -> $first), none after the sixth ($spent -> $sixth)"
