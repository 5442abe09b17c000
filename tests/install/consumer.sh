# Another program built against the installed libraries four ways: through the CMake package
# and through pkg-config on a plain compiler line, each with the shared libraries and with the
# static ones. Each build prints the sizes of the installed gun model and a picture, which
# must match what awk and ImageMagick read from the files; the shared builds load the
# installed shared libraries, and the static builds load none of ours.
# Usage: consumer.sh BUILD_DIR CXX LIBDIR
set -eu
build=$1 cxx=$2 libdir=$3
consumer=$(cd "$(dirname "$0")/../consumer" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig

model=$prefix/share/gallery/modely/brokovnice.obj
picture=$prefix/share/gallery/textury/terc.bmp
expected=$(
    awk '/^v / { v++ } /^f / { t += NF - 3 } END { printf "model: %d vertices, %d triangles\n", v, t }' "$model"
    identify -format 'picture: %w x %h\n' "$picture"
)
shared_libraries="libgallery-imagereaders.so.1 => $prefix/$libdir/libgallery-imagereaders.so.1
libgallery-objmodel.so.1 => $prefix/$libdir/libgallery-objmodel.so.1"

# check HOW LINKING: runs the consumer built HOW and checks what it printed and which of our
# shared libraries it loads, all of them or none.
check() {
    local how=$1 linking=$2 got loaded
    got=$("$work/$how" "$model" "$picture")
    if [ "$got" != "$expected" ]; then
        printf 'built %s, the consumer printed\n%s\ninstead of\n%s\n' "$how" "$got" "$expected" >&2
        exit 1
    fi
    loaded=$(ldd "$work/$how" | grep -oE 'libgallery-[a-z]+\.so[^ ]* => [^ ]+' | sort || true)
    if { [ "$linking" = shared ] && [ "$loaded" != "$shared_libraries" ]; } ||
        { [ "$linking" = static ] && [ -n "$loaded" ]; }; then
        printf 'built %s, the consumer loads\n%s\n' "$how" "${loaded:-none of our libraries}" >&2
        exit 1
    fi
}

for linking in shared static; do
    static=OFF
    [ "$linking" = static ] && static=ON
    cmake -S "$consumer" -B "$work/cmake-$linking" -DCMAKE_CXX_COMPILER="$cxx" \
        -DCMAKE_PREFIX_PATH="$prefix" -DCONSUMER_STATIC=$static >/dev/null
    cmake --build "$work/cmake-$linking" >/dev/null
    cp "$work/cmake-$linking/consumer" "$work/cmake-$linking.bin"
    check "cmake-$linking.bin" $linking
done

# As the README writes them; the shared build is told where the libraries lie, which the
# loader knows by itself under /usr and /usr/local.
# shellcheck disable=SC2046 # pkg-config's output is a list of options
"$cxx" -o "$work/pkg-config-shared" "$consumer/consumer.cpp" \
    $(pkg-config --cflags --libs gallery-objmodel gallery-imagereaders) \
    -Wl,-rpath,"$prefix/$libdir"
check pkg-config-shared shared
# shellcheck disable=SC2046
"$cxx" -o "$work/pkg-config-static" "$consumer/consumer.cpp" \
    $(pkg-config --cflags gallery-objmodel gallery-imagereaders) \
    -Wl,-Bstatic $(pkg-config --libs gallery-objmodel gallery-imagereaders) \
    -Wl,-Bdynamic -lGL
check pkg-config-static static
echo "$expected"
