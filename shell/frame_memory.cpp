#include "frame_memory.h"

#include <cstdlib> // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>

namespace {

// glibc refuses mmap thresholds above half its heap size, 32 MB on 64-bit systems.
constexpr int largestMmapThreshold = 32 * 1024 * 1024;
// Far above any frame's needs: in practice the heap is never trimmed.
constexpr int trimThreshold = 1024 * 1024 * 1024;

} // namespace

bool keepFrameMemory() {
    const bool trimSet = mallopt(M_TRIM_THRESHOLD, trimThreshold) == 1;
    const bool mmapSet = mallopt(M_MMAP_THRESHOLD, largestMmapThreshold) == 1;
    return trimSet && mmapSet;
}
#else
// mallopt is glibc's own; other C libraries keep their defaults.
bool keepFrameMemory() {
    return false;
}
#endif
