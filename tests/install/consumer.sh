# Another program built against the installed libraries, once through the CMake package and
# once through pkg-config on a plain compiler line: each prints the sizes of the installed gun
# model and a picture, which must match what awk and ImageMagick read from the files.
# Usage: consumer.sh BUILD_DIR CXX LIBDIR
set -eu
build=$1 cxx=$2 libdir=$3
consumer=$(cd "$(dirname "$0")/../consumer" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

model=$prefix/share/gallery/modely/brokovnice.obj
picture=$prefix/share/gallery/textury/terc.bmp
expected=$(
    awk '/^v / { v++ } /^f / { t += NF - 3 } END { printf "model: %d vertices, %d triangles\n", v, t }' "$model"
    identify -format 'picture: %w x %h\n' "$picture"
)

check() {
    local how=$1 got
    got=$("$work/$how" "$model" "$picture")
    if [ "$got" != "$expected" ]; then
        printf 'built through %s, the consumer printed\n%s\ninstead of\n%s\n' "$how" "$got" "$expected" >&2
        exit 1
    fi
}

cmake -S "$consumer" -B "$work/cmake-build" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
cp "$work/cmake-build/consumer" "$work/cmake"
check cmake

# shellcheck disable=SC2046 # pkg-config's output is a list of options
"$cxx" -o "$work/pkg-config" "$consumer/consumer.cpp" \
    $(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --cflags --libs gallery-objmodel gallery-imagereaders)
check pkg-config
echo "$expected"
