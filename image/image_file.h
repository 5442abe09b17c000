// File access shared by the readers: every read is exact, every size is checked against the
// stream's real size before anything is allocated.
#pragma once

#include "gallery/bmp_image.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

// Opens `path` with mode "rb", calls read(file) and closes the file; null when it cannot be
// opened (a null path included).
template <class Read> std::unique_ptr<BmpImage> readFile(const char* path, Read read) {
    if (path == nullptr) {
        return nullptr;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    std::unique_ptr<BmpImage> image = read(file);
    std::fclose(file);
    return image;
}

// Reads exactly `count` bytes; false when the stream ends first or fails.
bool readExactly(std::FILE* file, void* into, std::size_t count);

// Moves to `offset` bytes from the start; false when the stream cannot get there.
bool seekTo(std::FILE* file, std::uint64_t offset);

// The stream's size in bytes, leaving it at its start; -1 when it cannot be told (a pipe).
std::int64_t streamSize(std::FILE* file);

// Whether `count` bytes starting at `offset` lie inside a stream of `size` bytes.
inline bool fitsIn(std::uint64_t offset, std::uint64_t count, std::int64_t size) {
    const auto total = static_cast<std::uint64_t>(size);
    return size >= 0 && offset <= total && count <= total - offset;
}

inline std::uint16_t littleEndian16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::uint32_t littleEndian32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Zero-filled bytes, so that no fill byte is ever uninitialised; null when they cannot be had.
unsigned char* allocateBytes(std::uint64_t count);

// Reads `rows` rows of `rowLength` bytes, a block of about 64 KiB at a time, through a buffer
// that stays in the cache, and hands each to take(row, bytes). The image is then written by
// the reader's own stores, which costs less than the system copying into fresh pages.
// False on a short read or when the buffer cannot be had.
template <class Take>
bool readRowsBuffered(std::FILE* file, std::size_t rowLength, std::uint32_t rows, Take take) {
    const std::size_t blockRows = std::max<std::size_t>(1, (std::size_t{1} << 16) / rowLength);
    const std::unique_ptr<unsigned char, decltype(&std::free)> block(
        allocateBytes(std::uint64_t{blockRows} * rowLength), std::free);
    if (block == nullptr) {
        return false;
    }
    for (std::uint32_t row = 0; row < rows;) {
        const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(blockRows, rows - row));
        if (!readExactly(file, block.get(), count * rowLength)) {
            return false;
        }
        for (std::uint32_t r = 0; r < count; ++r) {
            take(row + r, block.get() + r * rowLength);
        }
        row += count;
    }
    return true;
}

// Copies `count` pixels of blue, green, red (and alpha) as red, green, blue (and alpha);
// `from` and `to` may be the same.
template <std::size_t pixelBytes>
void copyAsRgb(const unsigned char* from, unsigned char* to, std::size_t count) {
    static_assert(pixelBytes == 3 || pixelBytes == 4);
    for (std::size_t i = 0; i < count; ++i, from += pixelBytes, to += pixelBytes) {
        const unsigned char blue = from[0];
        to[0] = from[2];
        to[1] = from[1];
        to[2] = blue;
        if constexpr (pixelBytes == 4) {
            to[3] = from[3];
        }
    }
}

// A new image with its fields set and room for height rows of width pixels (rows padded to
// 4 bytes); null when the sizes do not fit or memory runs out.
std::unique_ptr<BmpImage> createImage(std::uint32_t width, std::uint32_t height,
                                      std::uint32_t bitsPerPixel, std::uint32_t format);
