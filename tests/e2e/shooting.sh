# Shooting in the real program: at "Palebne stanoviste 2" six presses of "1" show the explosion
# after the first shot and none after the sixth, when the five cartridges are spent.
set -u
source "$(dirname "$0")/driver.sh"
trap drv_stop EXIT
out=$(mktemp -d)
drv_start_display
drv_start_gallery "$GALLERY_BIN"
drv_menu 4
drv_frames_settle 1

# The explosion square stands 3 units ahead of the eye and 1 below it: around this region.
region() {
    convert "$1" -crop 80x60+280+280 -colorspace gray -format "%[fx:mean*1000]" info: |
        cut -d. -f1
}

# Presses "1" and returns the brightest the region got over the next moment.
brightest_after_shot() {
    local tag=$1 best=0 value i
    # Grab from just before the key on: the ten frames of the explosion go by fast.
    (for i in 1 2 3 4 5 6; do
        xwd -silent -id "$DRV_WINDOW" -out "$out/$tag-$i.xwd"
    done) &
    local grabber=$!
    sleep 0.05
    xdotool key --window "$DRV_WINDOW" 1
    wait "$grabber"
    for i in 1 2 3 4 5 6; do
        value=$(region "xwd:$out/$tag-$i.xwd")
        [ "$value" -gt "$best" ] && best=$value
    done
    echo "$best"
}

drv_shot "$out/before.png"
before=$(region "$out/before.png")
first=$(brightest_after_shot first)
[ "$first" -gt $((before + 30)) ] ||
    drv_fail "no explosion after the first shot (region $before before, at most $first after)"
for shot in 2 3 4 5; do
    brightest_after_shot "shot$shot" >/dev/null
    drv_frames_settle 1
done
drv_shot "$out/spent.png"
spent=$(region "$out/spent.png")
sixth=$(brightest_after_shot sixth)
[ "$sixth" -le $((spent + 5)) ] ||
    drv_fail "an explosion after the sixth shot with no cartridge left ($spent before, $sixth after)"
rm -rf "$out"
echo "explosion after the first shot ($before -> $first), none after the sixth ($spent -> $sixth)"
