# The real program's command line, without a display: --help prints the usage with the menu,
# the keys and the data folder search, --version the project's version (VERSION, from CMake),
# both with status 0; an unknown option ends it with status 2 and a hint on standard error.
# Usage: command_line.sh VERSION   (GALLERY_BIN names the program)
set -u
version=$1
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
fail() {
    echo "command line: $*" >&2
    exit 1
}

run() {
    status=0
    env -u DISPLAY "$GALLERY_BIN" "$@" >"$out" 2>"$err" || status=$?
}

run --help
[ "$status" = 0 ] && [ ! -s "$err" ] || fail "--help: status $status, $(cat "$err")"
[ "$(head -n 1 "$out")" = "Usage: gallery [-h | --help] [--version] [X options]" ] ||
    fail "--help begins with \"$(head -n 1 "$out")\""
for word in "Palebne stanoviste 3" "Konec programu" "Escape" "GALLERY_DATA" "share/gallery"; do
    grep -qF "$word" "$out" || fail "--help does not mention \"$word\""
done

run --version
[ "$status" = 0 ] && [ "$(cat "$out")" = "gallery $version" ] ||
    fail "--version: status $status, \"$(cat "$out")\""

run --fullscreen
[ "$status" = 2 ] && [ ! -s "$out" ] || fail "an unknown option: status $status"
[ "$(cat "$err")" = 'gallery: unknown option "--fullscreen"
Try "gallery --help" for more information.' ] || fail "an unknown option: $(cat "$err")"
echo "--help and --version answer with status 0, an unknown option with status 2"
