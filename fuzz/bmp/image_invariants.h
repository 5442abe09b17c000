// What every image a reader returns must satisfy, checked by touching every byte it claims:
// a wrong size, stride or palette shows up as a sanitizer report or a trap; and the fuzz input
// opened as a file. Shared by the BMP and TGA fuzz targets.
#pragma once

#include "gallery/bmp_image.h"
#include "gallery/bmp_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdio.h> // fmemopen

// The fuzz input as a read-only stream, or null for an empty input (fmemopen refuses an empty
// buffer; empty files are in the unit tests).
inline std::FILE* openFuzzInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return nullptr;
    }
    return fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
}

inline void check(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

inline void checkImage(BmpImage& image) {
    check(image.width > 0 && image.height > 0 && image.pixels != nullptr);
    check(image.rowBytes == paddedRowBytes(image.width, image.bitsPerPixel));
    check(image.palettePending == (image.format == PixelFormatColorIndex));
    if (image.palettePending) {
        check(image.palette != nullptr && image.bitsPerPixel == 8);
        expandPalette(image);
        check(!image.palettePending);
        check(image.rowBytes == paddedRowBytes(image.width, image.bitsPerPixel));
    }
    check(image.bitsPerPixel == 24 || image.bitsPerPixel == 32);
    check(image.format == (image.bitsPerPixel == 24 ? PixelFormatRgb : PixelFormatRgba));
    volatile unsigned sum = 0;
    const std::size_t bytes = static_cast<std::size_t>(image.rowBytes) * image.height;
    for (std::size_t i = 0; i < bytes; ++i) {
        sum = sum + image.pixels[i];
    }
}
