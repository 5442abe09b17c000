# The real program under valgrind's memcheck for a short run (FRAMES frames, default 300) with a
# shot: no invalid read or write, no use of uninitialised values and no definite leak in our
# code. Reports that lie wholly inside Mesa, LLVM, X, GLUT or the dynamic loader are suppressed
# (memcheck.supp); debug information is kept for the GL driver, which is unloaded before exit.
# Usage: tests/e2e/memcheck.sh [FRAMES]   (GALLERY_BIN and GALLERY_PROBE as for soak.sh)
set -u
source "$(dirname "$0")/driver.sh"
frames=${1:-300}
probe_log=$(mktemp)
report=$(mktemp)
export GALLERY_PROBE_FILE=$probe_log
drv_begin
DRV_START_SECONDS=600 DRV_PRELOAD=$GALLERY_PROBE \
    DRV_WRAPPER="valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
        --keep-debuginfo=yes \
        --suppressions=$DRV_ROOT/tests/e2e/memcheck.supp --log-file=$report" \
    drv_start_gallery "$GALLERY_BIN"

drawn() {
    tail -n 1 "$probe_log" 2>/dev/null | cut -d' ' -f1
}
wait_frames() {
    while [ "$(drawn)" = "" ] || [ "$(drawn)" -lt "$1" ]; do
        drv_running || drv_fail "the program ended early"
        sleep 2
    done
}
wait_frames 100
drv_menu 4
drv_key Left 1
wait_frames "$frames"
drv_key_quit Escape
drv_wait_exit 600
echo "memcheck after $(drawn) frames:"
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|suppressed:" "$report"
if ! grep -q "ERROR SUMMARY: 0 errors" "$report"; then
    cat "$report"
    drv_fail "memcheck found errors"
fi
