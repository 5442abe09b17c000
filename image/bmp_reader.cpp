// Supported: BM files with an information header of 40 bytes or longer (the 108- and 124-byte
// versions included), 24-bit or 8-bit, uncompressed, bottom-up. Refused: every other bit count,
// any compression, top-down rows (negative height), the 12-byte OS/2 header, zero sizes and
// files that end before the rows their header promises.
#include "gallery/bmp_reader.h"

#include "image_file.h"
#include "image_streams.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::uint64_t fileHeaderBytes = 14;
constexpr std::uint32_t infoHeaderBytes = 40;
constexpr std::uint32_t paletteEntries = 256;

struct BmpHeader {
    std::uint32_t pixelOffset;
    std::uint32_t headerSize;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t colorsUsed;
};

// Reads the file header and the first 40 bytes of the information header from the start.
bool readHeader(std::FILE* file, BmpHeader& header) {
    unsigned char bytes[fileHeaderBytes + infoHeaderBytes];
    if (!seekTo(file, 0) || !readExactly(file, bytes, sizeof bytes)) {
        return false;
    }
    if (bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    header.pixelOffset = littleEndian32(bytes + 10);
    header.headerSize = littleEndian32(bytes + 14);
    header.width = static_cast<std::int32_t>(littleEndian32(bytes + 18));
    header.height = static_cast<std::int32_t>(littleEndian32(bytes + 22));
    header.bitCount = littleEndian16(bytes + 28);
    header.compression = littleEndian32(bytes + 30);
    header.colorsUsed = littleEndian32(bytes + 46);
    return true;
}

// Where the palette and the rows of a valid file lie.
struct BmpLayout {
    std::uint64_t paletteOffset;
    std::uint32_t paletteEntries; // those the file holds; at most 256
};

// Checks everything the header claims against the file before anything is allocated.
bool checkLayout(std::FILE* file, const BmpHeader& header, std::uint32_t bitCount,
                 BmpLayout& layout) {
    if (header.bitCount != bitCount || header.compression != 0 ||
        header.headerSize < infoHeaderBytes || header.width <= 0 || header.height <= 0) {
        return false;
    }
    const std::int64_t rowBytes =
        paddedRowBytes(static_cast<std::uint32_t>(header.width), bitCount);
    if (rowBytes <= 0) {
        return false;
    }
    const std::uint64_t headersEnd = fileHeaderBytes + header.headerSize;
    // Rows that start inside the headers would be read as pixels.
    if (header.pixelOffset < headersEnd) {
        return false;
    }
    const auto pixelBytes =
        static_cast<std::uint64_t>(rowBytes) * static_cast<std::uint32_t>(header.height);
    if (!fitsIn(header.pixelOffset, pixelBytes, streamSize(file))) {
        return false;
    }
    // The palette lies between the headers and the rows; colorsUsed 0 means a full one.
    const std::uint64_t room = (header.pixelOffset - headersEnd) / 4;
    const std::uint64_t stated = header.colorsUsed == 0 ? paletteEntries : header.colorsUsed;
    layout.paletteOffset = headersEnd;
    layout.paletteEntries =
        static_cast<std::uint32_t>(std::min({room, stated, std::uint64_t{paletteEntries}}));
    return true;
}

// The image with its rows read from the file, 24-bit ones as red-green-blue; the fill bytes
// at the end of each row are kept as read.
std::unique_ptr<BmpImage> readRows(std::FILE* file, const BmpHeader& header, std::uint32_t bitCount,
                                   std::uint32_t format) {
    auto image = createImage(static_cast<std::uint32_t>(header.width),
                             static_cast<std::uint32_t>(header.height), bitCount, format);
    if (image == nullptr || !seekTo(file, header.pixelOffset)) {
        return nullptr;
    }
    const auto rowBytes = static_cast<std::size_t>(image->rowBytes);
    const std::size_t pixelBytes = bitCount == 24 ? std::size_t{image->width} * 3 : 0;
    const bool read = readRowsBuffered(
        file, rowBytes, image->height, [&](std::uint32_t row, const unsigned char* bytes) {
            unsigned char* to = image->pixels + row * rowBytes;
            copyAsRgb<3>(bytes, to, pixelBytes / 3);
            std::memcpy(to + pixelBytes, bytes + pixelBytes, rowBytes - pixelBytes);
        });
    return read ? std::move(image) : nullptr;
}

// The file's blue-green-red-reserved entries as red-green-blue; entries it lacks stay black.
unsigned char* readPalette(std::FILE* file, const BmpLayout& layout) {
    unsigned char entries[paletteEntries * 4];
    if (!seekTo(file, layout.paletteOffset) ||
        !readExactly(file, entries, std::size_t{layout.paletteEntries} * 4)) {
        return nullptr;
    }
    unsigned char* palette = allocateBytes(paletteEntries * 3);
    if (palette == nullptr) {
        return nullptr;
    }
    for (std::uint32_t e = 0; e < layout.paletteEntries; ++e) {
        palette[3 * e] = entries[4 * e + 2];
        palette[3 * e + 1] = entries[4 * e + 1];
        palette[3 * e + 2] = entries[4 * e];
    }
    return palette;
}

} // namespace

std::unique_ptr<BmpImage> readBmpStream(std::FILE* file) {
    BmpHeader header;
    if (!readHeader(file, header)) {
        return nullptr;
    }
    switch (header.bitCount) {
    case 8:
        return readBmp8Stream(file);
    case 24:
        return readBmp24Stream(file);
    default:
        return nullptr;
    }
}

std::unique_ptr<BmpImage> readBmp24Stream(std::FILE* file) {
    BmpHeader header;
    BmpLayout layout;
    if (!readHeader(file, header) || !checkLayout(file, header, 24, layout)) {
        return nullptr;
    }
    return readRows(file, header, 24, PixelFormatRgb);
}

std::unique_ptr<BmpImage> readBmp8Stream(std::FILE* file) {
    BmpHeader header;
    BmpLayout layout;
    if (!readHeader(file, header) || !checkLayout(file, header, 8, layout)) {
        return nullptr;
    }
    unsigned char* palette = readPalette(file, layout);
    if (palette == nullptr) {
        return nullptr;
    }
    auto image = readRows(file, header, 8, PixelFormatColorIndex);
    if (image == nullptr) {
        std::free(palette);
        return nullptr;
    }
    image->palette = palette;
    image->palettePending = true;
    image->expandedBitsPerPixel = 24;
    image->expandedFormat = PixelFormatRgb;
    expandPalette(*image);
    // Callers are promised RGB; indices left over mean the expansion ran out of memory.
    return image->palettePending ? nullptr : std::move(image);
}

std::unique_ptr<BmpImage> readBmp(const char* path) {
    return readFile(path, readBmpStream);
}

std::unique_ptr<BmpImage> readBmp24(const char* path) {
    return readFile(path, readBmp24Stream);
}

std::unique_ptr<BmpImage> readBmp8(const char* path) {
    return readFile(path, readBmp8Stream);
}
