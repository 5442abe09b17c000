# Soak run of the real program: every view with keys and menu choices for FRAMES frames
# (default 20000); the resident memory at the end must be within 5% of what it was after the
# first 1,000 frames, and the program must have set the heap to keep each frame's memory.
# Frames, memory and heap settings come from the preloaded frame probe.
# Usage: tests/e2e/soak.sh [FRAMES]   (GALLERY_BIN and GALLERY_PROBE name the program and probe)
set -u
source "$(dirname "$0")/driver.sh"
frames=${1:-20000}
probe_log=$(mktemp)
heap_log=$(mktemp)
drv_begin
export GALLERY_PROBE_FILE=$probe_log GALLERY_PROBE_HEAP_FILE=$heap_log
drv_start_gallery "$GALLERY_BIN"

drawn() {
    tail -n 1 "$probe_log" | cut -d' ' -f1
}
rss_at() {
    awk -v f="$1" '$1 >= f { print $2; exit }' "$probe_log"
}

round=0
while [ "$(drawn || echo 0)" -lt "$frames" ] 2>/dev/null || [ ! -s "$probe_log" ]; do
    round=$((round + 1))
    drv_menu 2
    drv_frames_settle
    drv_menu 1
    drv_key Up Up Left Right Down Prior Next
    for entry in 3 4 5; do
        drv_menu "$entry"
        drv_key Left Up 1 Right Down 1 z z 1
    done
    drv_key r a q c x r s s 0
    drv_menu 6
done
start=$(rss_at 1000)
end=$(tail -n 1 "$probe_log" | cut -d' ' -f2)
total=$(drawn)
# keepFrameMemory's two settings, each taken (mallopt returned 1).
heap_set=yes
for parameter in trim_threshold mmap_threshold; do
    grep -Eq "^$parameter [0-9]+ 1\$" "$heap_log" || heap_set=no
done
heap=$(tr '\n' ' ' <"$heap_log")
rm -f "$probe_log" "$heap_log"
echo "soak: $total frames in $round rounds; resident memory $start kB after 1000 frames, $end kB at the end"
echo "soak: heap settings: $heap"
[ $((end * 100)) -le $((start * 105)) ] || drv_fail "resident memory grew by more than 5%"
[ "$heap_set" = yes ] || drv_fail "the program did not set glibc's trim and mmap thresholds"
