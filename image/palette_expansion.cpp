#include "gallery/bmp_reader.h"

#include "image_file.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Entry sizes the readers give; anything else would index past the 256-entry palette.
bool supportedEntryBits(std::uint32_t bits) {
    return bits == 24 || bits == 32;
}

template <std::size_t entryBytes>
void expandRows(const BmpImage& image, unsigned char* expanded, std::int64_t expandedRowBytes) {
    for (std::uint32_t row = 0; row < image.height; ++row) {
        const unsigned char* index = image.pixels + static_cast<std::size_t>(row) * image.rowBytes;
        unsigned char* out = expanded + static_cast<std::size_t>(row) * expandedRowBytes;
        for (std::uint32_t column = 0; column < image.width; ++column, out += entryBytes) {
            std::memcpy(out, image.palette + std::size_t{index[column]} * entryBytes, entryBytes);
        }
    }
}

} // namespace

void expandPalette(BmpImage& image) {
    if (image.palette == nullptr || !image.palettePending ||
        !supportedEntryBits(image.expandedBitsPerPixel)) {
        return;
    }
    const std::int64_t expandedRowBytes = paddedRowBytes(image.width, image.expandedBitsPerPixel);
    if (expandedRowBytes <= 0) {
        return;
    }
    unsigned char* expanded =
        allocateBytes(static_cast<std::uint64_t>(expandedRowBytes) * image.height);
    if (expanded == nullptr) {
        return;
    }
    if (image.expandedBitsPerPixel == 24) {
        expandRows<3>(image, expanded, expandedRowBytes);
    } else {
        expandRows<4>(image, expanded, expandedRowBytes);
    }
    std::free(image.pixels);
    image.pixels = expanded;
    image.palettePending = false;
    image.bitsPerPixel = image.expandedBitsPerPixel;
    image.format = image.expandedFormat;
    image.rowBytes = static_cast<std::int32_t>(expandedRowBytes);
}
