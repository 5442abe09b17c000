// Keeps the memory that every frame allocates and frees inside the process.
//
// Mesa's software renderer bins each frame's triangles into 64 kB blocks taken from malloc and
// frees them all when the next frame starts. With glibc's defaults the freed top of the heap is
// handed back to the system at once and faulted in again, zero-filled, in the next frame: about
// 13 MB a frame for the three booths, a fifth to a third of the frame spent in the kernel.
#pragma once

// Raises glibc's trim threshold, so that freed heap memory stays for the next frame, and fixes
// the mmap threshold at its largest, so that blocks up to 32 MB come from the reused heap
// instead of fresh mappings. The process then holds its largest frame's memory, which it needs
// in every frame anyway. Call it first thing in main. Returns whether both settings took.
bool keepFrameMemory();
