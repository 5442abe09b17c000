# Right after start the panoramic view turns: two screenshots ten frames apart differ.
set -u
source "$(dirname "$0")/driver.sh"
out=$(mktemp -d)
drv_begin
drv_start_gallery "$GALLERY_BIN"
drv_shot "$out/a.png"
drv_frames_settle 10
drv_shot "$out/b.png"
diff=$(compare -metric AE "$out/a.png" "$out/b.png" null: 2>&1 || true)
rm -rf "$out"
[ "${diff%% *}" -gt 1000 ] 2>/dev/null || drv_fail "the panorama did not turn ($diff pixels differ)"
echo "panorama turned: $diff pixels differ"
