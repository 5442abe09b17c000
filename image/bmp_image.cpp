#include "gallery/bmp_image.h"

#include <cstdint>
#include <cstdlib>

BmpImage::BmpImage()
    : width(0), height(0), bitsPerPixel(0), format(0), pixels(nullptr), rowBytes(0),
      palettePending(false), expandedFormat(0), expandedBitsPerPixel(0), palette(nullptr) {}

BmpImage::~BmpImage() {
    std::free(pixels);
    std::free(palette);
}

std::int64_t paddedRowBytes(std::uint64_t width, std::uint32_t bitsPerPixel) {
    // Widths come from 32-bit fields and depths are at most 32, so the product cannot overflow.
    if (width > UINT32_MAX || bitsPerPixel > 32) {
        return -1;
    }
    const std::uint64_t bytes = ((width * bitsPerPixel + 31) & ~std::uint64_t{31}) / 8;
    return bytes > INT32_MAX ? -1 : static_cast<std::int64_t>(bytes);
}
