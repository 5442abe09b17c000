# The real program under valgrind's memcheck with a shot: FRAMES frames (default 300) drawn
# after it at the middle firing position. Any invalid read or write, use of uninitialised
# values or definite leak in our code makes valgrind end the program with status 99. Reports
# that lie wholly inside Mesa, LLVM, X, GLUT or the dynamic loader are suppressed
# (memcheck.supp); debug information is kept for the GL driver, which is unloaded before exit.
# Usage: tests/e2e/memcheck.sh [FRAMES]   (GALLERY_BIN names the program, GALLERY_PROBE the
# frame probe, which counts the frames)
set -u
source "$(dirname "$0")/driver.sh"
frames=${1:-300}
report=$(mktemp)
trap 'drv_stop; rm -f "$report"' EXIT
[ -n "${GALLERY_PROBE:-}" ] || drv_fail "GALLERY_PROBE must name the frame probe"
# Every frame takes seconds under valgrind, which runs one thread at a time: llvmpipe draws
# fastest there with no threads of its own.
export DRV_WAIT_SECONDS=600 LP_NUM_THREADS=0
drv_start_display
DRV_WRAPPER="valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite --keep-debuginfo=yes \
    --suppressions=$DRV_ROOT/tests/e2e/memcheck.supp --log-file=$report" \
    drv_start_gallery "$GALLERY_BIN"
drv_menu 4
drv_key Left 1
drv_frames_settle "$frames"
drv_key_quit Escape
drv_wait_exit 600
echo "memcheck after $(drv_frames) frames:"
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|suppressed:" "$report"
if [ "$DRV_STATUS" != 0 ]; then
    cat "$report"
    drv_fail "memcheck ended the program with status $DRV_STATUS"
fi
