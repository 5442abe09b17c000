// The header's bytes 1 to 11 must equal one of four templates: no colour map and a zero origin
// for true colour; a map of exactly 256 entries of 24 or 32 bits starting at index 0 for
// colour-mapped files. The image descriptor is read only for its origin corner (bits 4 and 5):
// top-left files are turned into bottom-up rows and right-to-left files are mirrored. Every
// read is checked, run-length data included; the file is measured before anything is
// allocated, and nothing past what the picture can need is read.
#include "gallery/tga_reader.h"

#include "image_file.h"
#include "image_streams.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>

namespace {

constexpr std::size_t headerBytes = 18;
constexpr std::size_t templateBytes = 11;
using Template = unsigned char[templateBytes];

constexpr Template trueColorTemplate = {0x00, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr Template rleTemplate = {0x00, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr Template mapped24Template = {0x01, 0x01, 0, 0, 0, 0x01, 0x18, 0, 0, 0, 0};
constexpr Template mapped32Template = {0x01, 0x01, 0, 0, 0, 0x01, 0x20, 0, 0, 0, 0};

constexpr unsigned rightOrigin = 0x10;   // image descriptor bit 4
constexpr unsigned topLeftOrigin = 0x20; // image descriptor bit 5

struct TgaHeader {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t depth;
    std::uint32_t mapEntryBits;
    bool topDown;
    bool rightToLeft;
    std::uint64_t dataOffset; // after the header and the image ID
    std::int64_t fileSize;
};

bool matches(const unsigned char* bytes, const Template& pattern) {
    return std::memcmp(bytes, pattern, templateBytes) == 0;
}

// Reads the header from the start of the file and checks it against one reader's templates,
// then skips the image ID of idLength bytes.
bool readHeader(std::FILE* file, int idLength, std::initializer_list<const Template*> accepted,
                TgaHeader& header) {
    unsigned char bytes[headerBytes];
    if (idLength < 0 || idLength > 255 || !seekTo(file, 0) ||
        !readExactly(file, bytes, sizeof bytes)) {
        return false;
    }
    bool known = false;
    for (const Template* pattern : accepted) {
        known = known || matches(bytes + 1, *pattern);
    }
    header.width = littleEndian16(bytes + 12);
    header.height = littleEndian16(bytes + 14);
    header.depth = bytes[16];
    header.topDown = (bytes[17] & topLeftOrigin) != 0;
    header.rightToLeft = (bytes[17] & rightOrigin) != 0;
    header.mapEntryBits = bytes[7];
    header.dataOffset = headerBytes + static_cast<std::uint64_t>(idLength);
    header.fileSize = streamSize(file);
    return known && header.width != 0 && header.height != 0 && seekTo(file, header.dataOffset) &&
           fitsIn(header.dataOffset, 0, header.fileSize);
}

// Row `fileRow` of the file, in the bottom-up image.
unsigned char* imageRow(const BmpImage& image, std::uint32_t fileRow, bool topDown) {
    const std::uint32_t row = topDown ? image.height - 1 - fileRow : fileRow;
    return image.pixels + static_cast<std::size_t>(row) * image.rowBytes;
}

// Reverses the pixels of every row of a right-to-left file, so that rows run left to right.
void mirrorRightToLeft(const BmpImage& image, const TgaHeader& header, std::size_t pixelBytes) {
    if (!header.rightToLeft) {
        return;
    }
    for (std::uint32_t row = 0; row < image.height; ++row) {
        unsigned char* left = image.pixels + std::size_t{row} * image.rowBytes;
        unsigned char* right = left + (std::size_t{image.width} - 1) * pixelBytes;
        for (; left < right; left += pixelBytes, right -= pixelBytes) {
            std::swap_ranges(left, left + pixelBytes, right);
        }
    }
}

std::uint32_t trueColorFormat(std::uint32_t depth) {
    return depth == 24 ? PixelFormatRgb : PixelFormatRgba;
}

// Reads the file's unpadded rows into the image's padded ones, true-colour pixels as
// red-green-blue(-alpha), palette indices as they are.
bool readRows(std::FILE* file, const BmpImage& image, std::size_t pixelBytes, bool topDown) {
    return readRowsBuffered(file, image.width * pixelBytes, image.height,
                            [&](std::uint32_t row, const unsigned char* bytes) {
                                unsigned char* to = imageRow(image, row, topDown);
                                if (pixelBytes == 3) {
                                    copyAsRgb<3>(bytes, to, image.width);
                                } else if (pixelBytes == 4) {
                                    copyAsRgb<4>(bytes, to, image.width);
                                } else {
                                    std::memcpy(to, bytes, image.width);
                                }
                            });
}

// Decodes the packets of `data` into the image's rows; the packets run on across row ends.
// False when the data end early or a packet runs past the last pixel.
template <std::size_t pixelBytes>
bool decodeRle(const unsigned char* data, std::size_t size, const BmpImage& image, bool topDown) {
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    unsigned char* out = imageRow(image, 0, topDown);
    std::uint64_t left = std::uint64_t{image.width} * image.height;
    std::size_t at = 0;
    while (left > 0) {
        if (at == size) {
            return false;
        }
        const unsigned packet = data[at++];
        const bool run = (packet & 0x80) != 0;
        const std::size_t count = (packet & 0x7F) + 1;
        const std::size_t packetBytes = run ? pixelBytes : count * pixelBytes;
        if (count > left || size - at < packetBytes) {
            return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            copyAsRgb<pixelBytes>(data + at + (run ? 0 : i * pixelBytes),
                                  out + std::size_t{column} * pixelBytes, 1);
            if (++column == image.width && ++row < image.height) {
                column = 0;
                out = imageRow(image, row, topDown);
            }
        }
        at += packetBytes;
        left -= count;
    }
    return true;
}

} // namespace

std::unique_ptr<BmpImage> readTgaStream(std::FILE* file) {
    unsigned char bytes[1 + templateBytes];
    if (!seekTo(file, 0) || !readExactly(file, bytes, sizeof bytes)) {
        return nullptr;
    }
    const int idLength = bytes[0];
    if (matches(bytes + 1, trueColorTemplate)) {
        return readTgaTrueColorStream(file, idLength);
    }
    if (matches(bytes + 1, rleTemplate)) {
        return readTgaRleStream(file, idLength);
    }
    if (matches(bytes + 1, mapped24Template) || matches(bytes + 1, mapped32Template)) {
        return readTgaMappedStream(file, idLength);
    }
    return nullptr;
}

std::unique_ptr<BmpImage> readTgaTrueColorStream(std::FILE* file, int idLength) {
    TgaHeader header;
    if (!readHeader(file, idLength, {&trueColorTemplate}, header) ||
        (header.depth != 24 && header.depth != 32)) {
        return nullptr;
    }
    const std::size_t pixelBytes = header.depth / 8;
    const std::uint64_t pixelCount = std::uint64_t{header.width} * header.height;
    if (!fitsIn(header.dataOffset, pixelCount * pixelBytes, header.fileSize)) {
        return nullptr;
    }
    auto image =
        createImage(header.width, header.height, header.depth, trueColorFormat(header.depth));
    if (image == nullptr || !readRows(file, *image, pixelBytes, header.topDown)) {
        return nullptr;
    }
    mirrorRightToLeft(*image, header, pixelBytes);
    return image;
}

std::unique_ptr<BmpImage> readTgaRleStream(std::FILE* file, int idLength) {
    TgaHeader header;
    if (!readHeader(file, idLength, {&rleTemplate}, header) ||
        (header.depth != 24 && header.depth != 32)) {
        return nullptr;
    }
    const std::size_t pixelBytes = header.depth / 8;
    // A packet of at least 1 + pixelBytes bytes gives at most 128 pixels: a file too short
    // for the size it claims is refused before the image is allocated. A packet gives at least
    // one pixel, so the data of the whole picture fit in pixels x (1 + pixelBytes) bytes: what
    // follows them is not read.
    const auto dataSize = static_cast<std::uint64_t>(header.fileSize) - header.dataOffset;
    const std::uint64_t pixelCount = std::uint64_t{header.width} * header.height;
    if (pixelCount > dataSize / (1 + pixelBytes) * 128) {
        return nullptr;
    }
    const std::uint64_t neededSize = std::min(dataSize, pixelCount * (1 + pixelBytes));
    if (neededSize > SIZE_MAX) {
        return nullptr;
    }
    const auto readSize = static_cast<std::size_t>(neededSize);
    std::unique_ptr<unsigned char, decltype(&std::free)> data(allocateBytes(readSize), std::free);
    if (data == nullptr || !readExactly(file, data.get(), readSize)) {
        return nullptr;
    }
    auto image =
        createImage(header.width, header.height, header.depth, trueColorFormat(header.depth));
    if (image == nullptr) {
        return nullptr;
    }
    const bool decoded = pixelBytes == 3
                             ? decodeRle<3>(data.get(), readSize, *image, header.topDown)
                             : decodeRle<4>(data.get(), readSize, *image, header.topDown);
    if (!decoded) {
        return nullptr;
    }
    mirrorRightToLeft(*image, header, pixelBytes);
    return image;
}

std::unique_ptr<BmpImage> readTgaMappedStream(std::FILE* file, int idLength) {
    TgaHeader header;
    if (!readHeader(file, idLength, {&mapped24Template, &mapped32Template}, header) ||
        header.depth != 8) {
        return nullptr;
    }
    const std::size_t entryBytes = header.mapEntryBits / 8;
    const std::size_t paletteBytes = 256 * entryBytes;
    const std::uint64_t pixelCount = std::uint64_t{header.width} * header.height;
    if (!fitsIn(header.dataOffset, paletteBytes + pixelCount, header.fileSize)) {
        return nullptr;
    }
    auto image = createImage(header.width, header.height, 8, PixelFormatColorIndex);
    if (image == nullptr) {
        return nullptr;
    }
    image->palette = allocateBytes(paletteBytes);
    if (image->palette == nullptr || !readExactly(file, image->palette, paletteBytes) ||
        !readRows(file, *image, 1, header.topDown)) {
        return nullptr;
    }
    if (entryBytes == 3) {
        copyAsRgb<3>(image->palette, image->palette, 256);
    } else {
        copyAsRgb<4>(image->palette, image->palette, 256);
    }
    image->palettePending = true;
    image->expandedBitsPerPixel = header.mapEntryBits;
    image->expandedFormat = trueColorFormat(header.mapEntryBits);
    mirrorRightToLeft(*image, header, 1);
    return image;
}

std::unique_ptr<BmpImage> readTga(const char* path) {
    return readFile(path, readTgaStream);
}

std::unique_ptr<BmpImage> readTgaTrueColor(const char* path, int idLength) {
    return readFile(path,
                    [idLength](std::FILE* file) { return readTgaTrueColorStream(file, idLength); });
}

std::unique_ptr<BmpImage> readTgaRle(const char* path, int idLength) {
    return readFile(path, [idLength](std::FILE* file) { return readTgaRleStream(file, idLength); });
}

std::unique_ptr<BmpImage> readTgaMapped(const char* path, int idLength) {
    return readFile(path,
                    [idLength](std::FILE* file) { return readTgaMappedStream(file, idLength); });
}
