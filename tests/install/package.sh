# The Debian packages, split as Debian splits a library's packages: gallery (the game, objtool
# with its display module, the data), libgallery1 (the shared libraries) and libgallery-dev
# (the public headers and no internal one, the static libraries, the CMake package and the
# pkg-config files), and -dbgsym packages that keep the debug information. Checked: each
# package's files, none in two packages, a copyright file that names the licence, the
# Depends between our packages and on the libraries the programs use (GLUT and EGL among
# them), the three unpacked into a fresh root where objtool runs on the packaged libraries,
# stripped and hardened binaries with their debug information in the -dbgsym package,
# stripped archives, and lintian, which shows nothing.
# Usage: package.sh BUILD_DIR LIBDIR
set -eu
build=$1 libdir=$2
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "$*" >&2
    exit 1
}
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; exit 1; }
deb() { echo "$work/$1"_*.deb; }
files() { dpkg-deb -c "$(deb "$1")" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }'; }
version=$(dpkg-deb -f "$(deb gallery)" Version)
for ddeb in "$work"/*-dbgsym_*.ddeb; do
    dpkg-deb -c "$ddeb" >"$ddeb.files"
done

while read -r package path; do
    files "$package" | grep -qxF "/usr/$path" || fail "$package lacks /usr/$path"
done <<END
gallery bin/gallery
gallery bin/objtool
gallery $libdir/gallery/objtool/objtool-display.so
gallery share/gallery/textury/kralik.bmp
gallery share/gallery/modely/brokovnice.obj
gallery share/gallery/modely/brokovnice.mtl
gallery share/applications/gallery.desktop
gallery share/icons/hicolor/128x128/apps/gallery.png
gallery share/man/man6/gallery.6.gz
gallery share/man/man1/objtool.1.gz
libgallery1 $libdir/libgallery-objmodel.so.1
libgallery1 $libdir/libgallery-imagereaders.so.1
libgallery-dev $libdir/libgallery-objmodel.so
libgallery-dev $libdir/libgallery-objmodel.a
libgallery-dev $libdir/libgallery-imagereaders.so
libgallery-dev $libdir/libgallery-imagereaders.a
libgallery-dev $libdir/cmake/gallery/galleryConfig.cmake
libgallery-dev $libdir/pkgconfig/gallery-objmodel.pc
libgallery-dev $libdir/pkgconfig/gallery-imagereaders.pc
END
packages="gallery libgallery1 libgallery-dev"
twice=$(for package in $packages; do files "$package"; done | sort | uniq -d)
[ -z "$twice" ] || fail "in two packages: $twice"
headers=$(files libgallery-dev | grep '^/usr/include/' | xargs -n1 basename | sort)
public=$(basename -a "$source_dir"/extern/glm/include/gallery/* "$source_dir"/image/include/gallery/* | sort)
[ "$headers" = "$public" ] || fail "the headers are $headers instead of the public $public"

for package in $packages; do
    dpkg-deb --fsys-tarfile "$(deb "$package")" |
        tar -xO "./usr/share/doc/$package/copyright" >"$work/copyright"
    grep -qx 'License: Expat' "$work/copyright" && grep -q 'Permission is hereby granted' "$work/copyright" ||
        fail "the copyright file of $package names no licence"
done
while read -r package needs; do
    depends=$(dpkg-deb -f "$(deb "$package")" Depends)
    grep -qE "(^|, )($needs)" <<<"$depends" || fail "$package does not depend on $needs: $depends"
done <<END
gallery libgallery1 \(= $version\)
gallery freeglut3|libglut
gallery libegl1
libgallery1 libgl1
libgallery-dev libgallery1 \(= $version\)
END

# A fresh root: the programs find the libraries from their own place.
root=$work/root
for package in $packages; do
    dpkg -x "$(deb "$package")" "$root"
done
loaded=$(ldd "$root/usr/bin/objtool" | awk '$1 == "libgallery-objmodel.so.1" { print $3 }')
[ "$(realpath -ms "$loaded")" = "$root/usr/$libdir/libgallery-objmodel.so.1" ] ||
    fail "the packaged objtool loads ${loaded:-no} libgallery-objmodel.so.1"
"$root/usr/bin/objtool" info "$root/usr/share/gallery/modely/brokovnice.obj" >/dev/null ||
    fail "the packaged objtool cannot read the packaged gun"

# Stripped and hardened, with the debug information in the -dbgsym packages. Control-flow
# protection is not among Debian 12's flags; the image readers' only fortifiable calls, fread
# and memcpy, fill buffers whose size is known at run time alone, which no check can cover.
binaries="usr/bin/gallery usr/bin/objtool usr/$libdir/gallery/objtool/objtool-display.so
          usr/$libdir/libgallery-objmodel.so.1 usr/$libdir/libgallery-imagereaders.so.1"
for binary in $binaries; do
    file -L "$root/$binary" | grep -q ', stripped' || fail "/$binary is not stripped"
    build_id=$(readelf -n "$root/$binary" | sed -n 's/.*Build ID: \(..\)\(.*\)/\1\/\2/p')
    cat "$work"/*-dbgsym_*.ddeb.files | grep -qF "./usr/lib/debug/.build-id/$build_id.debug" ||
        fail "no debug information for /$binary in the -dbgsym packages"
    skip=--nocfprotection
    [[ $binary == *imagereaders* ]] && skip="$skip --nofortify"
    hardening-check --quiet $skip "$root/$binary" >&2 || fail "/$binary is not hardened"
done
for archive in "$root"/usr/"$libdir"/*.a; do
    ! objdump -h "$archive" | grep -qE '\.debug_|\.comment' || fail "$archive is not stripped"
done

debs=$(for package in $packages; do deb "$package"; done)
# shellcheck disable=SC2086 # one package file a word
lintian_output=$(lintian --fail-on error,warning $debs 2>"$work/lintian.err") && [ -z "$lintian_output" ] ||
    fail "lintian: $lintian_output $(cat "$work/lintian.err")"
for package in $packages; do
    echo "$package $version: $(files "$package" | wc -l) files; Depends: $(dpkg-deb -f "$(deb "$package")" Depends)"
done
