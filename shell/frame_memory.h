// Keeps the memory that every frame allocates and frees inside the process.
//
// Mesa's software renderer takes each frame's working memory from malloc, thousands of blocks
// of 7.5 kB and hundreds of 64 kB, and frees it when the next frame starts. With glibc's
// defaults the freed top of the heap goes back to the system at once and is faulted in again,
// zero-filled, in the next frame: 12 MB a frame for the three booths in the firing view, 37 MB
// in the panoramic view, and a third of the processor time spent in the kernel. (glibc's
// dynamic thresholds sometimes rise far enough to stop it, sometimes not.)
#pragma once

// Raises glibc's trim threshold, so that freed heap memory stays for the next frame, and fixes
// the mmap threshold at its largest (setting the first alone would freeze it at 128 kB), so
// that blocks up to 32 MB come from the reused heap instead of fresh mappings. The process then
// holds its largest frame's memory, which it needs in every frame anyway. Call it first thing in
// main. Returns whether both settings took. Where glibc is not the C library it does nothing
// and returns false.
bool keepFrameMemory();
