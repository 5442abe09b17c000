# The real program with data missing.
# - No data folder anywhere: it names every place it looked in and GALLERY_DATA, and ends with
#   status 1 before it opens a window (it is run without a display, which it never asks for).
#   A copy of the program outside its build tree stands for an installed one, which never
#   looks in the source tree.
# - No pictures: it warns once for each of the 19 pictures, naming the file and the reason,
#   and plays.
# - No "modely/brokovnice.obj": it runs in the panoramic and walk-through views and ends with
#   the reader's message and status 1 when the gun is first shown.
set -u
source "$(dirname "$0")/driver.sh"
data=$(mktemp -d)
trap 'drv_stop; rm -rf "$data"' EXIT

mkdir -p "$data/elsewhere/bin" "$data/empty"
cp "$GALLERY_BIN" "$data/elsewhere/bin/gallery"
for named in "" "$data/absent"; do
    status=0
    (cd "$data/empty" && env -u DISPLAY ${named:+GALLERY_DATA=$named} \
        "$data/elsewhere/bin/gallery" >"$data/out" 2>"$data/err") || status=$?
    [ "$status" = 1 ] || drv_fail "without data it ended with status $status, not 1"
    [ ! -s "$data/out" ] || drv_fail "without data it printed on standard output"
    variable="not set"
    [ -z "$named" ] || variable="$named: No such file or directory"
    expected="gallery: no data folder found; none of these places holds textury/ or modely/:
  the folder the game was started in: $data/empty: holds neither textury/ nor modely/
  GALLERY_DATA: $variable
  the installed data folder: $data/elsewhere/share/gallery: No such file or directory
Set GALLERY_DATA to the folder that holds textury/ and modely/, for example:
  GALLERY_DATA=/path/to/data gallery"
    [ "$(cat "$data/err")" = "$expected" ] ||
        drv_fail "without data it said: $(cat "$data/err")"
done

drv_start_display
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
warnings=$(grep -c '^gallery: cannot load the picture ".*": No such file or directory; drawn without it$' "$DRV_LOG")
[ "$warnings" = 19 ] || drv_fail "$warnings warnings for the 19 missing pictures"
grep -qF "gallery: cannot load the picture \"$data/no-pictures/textury/kralik.bmp\": " "$DRV_LOG" ||
    drv_fail "no warning names the rabbit's picture"

mkdir "$data/no-model"
cp -r "$DRV_ROOT/textury" "$data/no-model/"
mkdir "$data/no-model/modely"
drv_start_gallery "$GALLERY_BIN" "$data/no-model"
drv_menu 1
drv_key Up Up Left
drv_menu 2
drv_running || drv_fail "the program ended before the gun was shown"
drv_menu 3
drv_wait_exit 10
[ "$DRV_STATUS" = 1 ] || drv_fail "ended with status $DRV_STATUS, not 1"
grep -qxF 'glmReadOBJ() failed: can'"'"'t open data file "modely/brokovnice.obj".' "$DRV_LOG" ||
    drv_fail "the reader's message is missing"
echo "no data folder: status 1 and every place named; no pictures: 19 warnings and play;" \
    "no model: the reader's message at the first shown gun"
