// The heap keeps what a frame frees: the next frame reuses it instead of faulting in new pages.
#include "frame_memory.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool sanitizedHeap = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool sanitizedHeap = true;
#else
constexpr bool sanitizedHeap = false;
#endif
#else
constexpr bool sanitizedHeap = false;
#endif

void* touchedBlock(std::size_t bytes) {
    void* block = std::malloc(bytes);
    if (block != nullptr) {
        std::memset(block, 1, bytes);
    }
    return block;
}

TEST(KeepFrameMemory, FreedBlocksStayInTheHeapAndLargeOnesAreNotMapped) {
    if (sanitizedHeap) {
        GTEST_SKIP() << "the sanitizer's allocator ignores glibc's settings";
    }
    ASSERT_TRUE(keepFrameMemory());

    // What the renderer does every frame: many 64 kB blocks, all freed together.
    constexpr std::size_t blockBytes = 64 * 1024;
    constexpr int blocks = 200;
    std::vector<void*> frame;
    for (int k = 0; k < blocks; ++k) {
        frame.push_back(touchedBlock(blockBytes));
    }
    for (void* block : frame) {
        std::free(block);
    }
    // glibc's default trim threshold (128 kB) would have returned nearly all of it.
    EXPECT_GE(mallinfo2().fordblks, blocks * blockBytes) << "bytes kept free in the heap";

    // Blocks of a few MB come from the heap, not from a mapping of their own.
    const std::size_t mappedBefore = mallinfo2().hblks;
    void* large = touchedBlock(8 * 1024 * 1024);
    EXPECT_EQ(mallinfo2().hblks, mappedBefore) << "an 8 MB block was mapped";
    std::free(large);
}

} // namespace
#else
TEST(KeepFrameMemory, DoesNothingWithoutGlibc) {
    EXPECT_FALSE(keepFrameMemory());
}
#endif
