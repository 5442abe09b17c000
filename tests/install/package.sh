# The Debian package: built by cpack, it holds the game, objtool and its display module, the
# data, the public headers and no internal one, the CMake package and the pkg-config files,
# depends on the shared libraries the programs use (GLUT and EGL among them), and lintian
# finds no error in it.
# Usage: package.sh BUILD_DIR LIBDIR
set -eu
build=$1 libdir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" ||
    { cat "$work/cpack.log" >&2; exit 1; }
deb=$(echo "$work"/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in bin/gallery bin/objtool "$libdir/gallery/objtool/objtool-display.so" \
    share/gallery/textury/kralik.bmp \
    share/gallery/modely/brokovnice.obj share/gallery/modely/brokovnice.mtl \
    share/applications/gallery.desktop share/icons/hicolor/128x128/apps/gallery.png \
    share/man/man6/gallery.6.gz share/man/man1/objtool.1.gz \
    include/gallery/glm.h include/gallery/bmp_image.h include/gallery/bmp_reader.h \
    include/gallery/tga_reader.h "$libdir/libgallery-objmodel.a" \
    "$libdir/libgallery-imagereaders.a" "$libdir/cmake/gallery/galleryConfig.cmake" \
    "$libdir/pkgconfig/gallery-objmodel.pc" "$libdir/pkgconfig/gallery-imagereaders.pc"; do
    grep -qxF "./usr/$path" <<<"$contents" || { echo "missing from the package: /usr/$path" >&2; exit 1; }
done
headers=$(grep '^./usr/include/' <<<"$contents" | grep -v '/$')
[ "$(wc -l <<<"$headers")" = 4 ] || { printf 'headers beyond the public four:\n%s\n' "$headers" >&2; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'freeglut3\|libglut' <<<"$depends" || { echo "no GLUT among the dependencies: $depends" >&2; exit 1; }
grep -q 'libegl1' <<<"$depends" || { echo "no EGL among the dependencies: $depends" >&2; exit 1; }
lintian --fail-on error "$deb"
echo "$(basename "$deb"): $(wc -l <<<"$contents") entries; Depends: $depends"
