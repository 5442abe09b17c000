// One decoded picture, as the BMP and TGA readers return it and the texture upload takes it.
//
// Rows are bottom-up (the first row in memory is the bottom of the picture, OpenGL's order),
// each row starts on a 4-byte boundary and `pixels` holds exactly height x rowBytes bytes.
// RGB pixels are red, green, blue; the fill bytes at the end of a row are zero or as read.
#pragma once

#include "imagereaders_api.h"

#include <cstdint>

// Pixel formats, with the values OpenGL gives them, so that `format` goes to OpenGL unchanged
// while the readers stay free of OpenGL.
inline constexpr std::uint32_t PixelFormatColorIndex = 0x1900; // GL_COLOR_INDEX
inline constexpr std::uint32_t PixelFormatRgb = 0x1907;        // GL_RGB
inline constexpr std::uint32_t PixelFormatRgba = 0x1908;       // GL_RGBA

struct GALLERY_IMAGEREADERS_API BmpImage {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bitsPerPixel;   // of `pixels` now: 8 for palette indices, 24 or 32
    std::uint32_t format;         // PixelFormatColorIndex while indices are held, else RGB or RGBA
    unsigned char* pixels;        // owned
    std::int32_t rowBytes;        // from one row's start to the next's
    bool palettePending;          // `pixels` holds indices that expandPalette has not yet replaced
    std::uint32_t expandedFormat; // what expandPalette makes of `format`
    std::uint32_t expandedBitsPerPixel; // what expandPalette makes of `bitsPerPixel`
    unsigned char* palette;             // owned: 256 entries of expandedBitsPerPixel / 8 bytes

    BmpImage();
    ~BmpImage(); // releases both arrays
    BmpImage(const BmpImage&) = delete;
    BmpImage& operator=(const BmpImage&) = delete;
};

// Bytes per row of `width` pixels of `bitsPerPixel` bits, raised to a multiple of 4; -1 when
// that does not fit a row length (a signed 32-bit value).
GALLERY_IMAGEREADERS_API std::int64_t paddedRowBytes(std::uint64_t width,
                                                     std::uint32_t bitsPerPixel);
