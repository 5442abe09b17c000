# The installed game started from / finds its installed data and the installed shared
# libraries: at "Palebne stanoviste 1" the rabbit's board shows the installed picture. That
# picture is replaced by a plain red one first, so the check tells the installed data from the
# source tree's. The installed objtool finds its installed display module and renders the
# installed gun without a display, and itself needs no GL or X library. Both programs load
# the installed shared libraries, found from their own place.
# Usage: game_elsewhere.sh BUILD_DIR LIBDIR
set -u
source "$(dirname "$0")/../e2e/driver.sh"
build=$1 libdir=$2
work=$(mktemp -d)
trap 'drv_stop; rm -rf "$work"' EXIT
unset GALLERY_DATA LD_LIBRARY_PATH

cmake --install "$build" --prefix "$work/prefix" >/dev/null || drv_fail "the install failed"
convert -size 64x64 xc:red -type TrueColor BMP3:"$work/prefix/share/gallery/textury/kralik.bmp"

while read -r program library; do
    loaded=$(ldd "$work/prefix/bin/$program" | awk -v l="$library" '$1 == l { print $3 }')
    [ "$(realpath -ms "$loaded")" = "$work/prefix/$libdir/$library" ] ||
        drv_fail "the installed $program loads ${loaded:-no} $library"
done <<'END'
gallery libgallery-objmodel.so.1
gallery libgallery-imagereaders.so.1
objtool libgallery-objmodel.so.1
END

drv_start_display
drv_start_gallery "$work/prefix/bin/gallery" /
drv_menu 3
drv_frames_settle 1
drv_shot "$work/firing.png"
drv_running || drv_fail "the game ended at the firing position"
# Red whatever the light and the fog do to it: red well above green and blue.
red=$(convert "$work/firing.png" -fx 'r - max(g, b) > 0.3' -format '%[fx:round(mean * w * h)]' info:)
[ "$red" -gt 600 ] || drv_fail "the installed rabbit picture does not show ($red red pixels)"
echo "the installed game shows the installed rabbit picture ($red red pixels)"

objtool=$work/prefix/bin/objtool
gl=$(readelf -d "$objtool" | grep -E 'NEEDED.*(libGL|libEGL|libglut|libX)')
[ -z "$gl" ] || drv_fail "objtool itself needs GL or X libraries: $gl"
env -u DISPLAY "$objtool" render --size 320x240 "$work/prefix/share/gallery/modely/brokovnice.obj" \
    "$work/gun.png" || drv_fail "the installed objtool could not render"
[ "$(identify -format '%w %h' "$work/gun.png")" = "320 240" ] ||
    drv_fail "the installed objtool rendered no 320x240 picture"
echo "the installed objtool renders the installed gun without a display"
