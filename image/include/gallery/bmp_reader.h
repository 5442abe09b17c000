// Reading Windows bitmaps: 24-bit, and 8-bit with a palette, uncompressed, bottom-up rows.
// Every image returned is 24-bit RGB. Failures return null; nothing is printed.
#pragma once

#include "bmp_image.h"
#include "imagereaders_api.h"

#include <memory>

// Chooses readBmp24 or readBmp8 by the file's bit count.
GALLERY_IMAGEREADERS_API std::unique_ptr<BmpImage> readBmp(const char* path);
GALLERY_IMAGEREADERS_API std::unique_ptr<BmpImage> readBmp24(const char* path);
GALLERY_IMAGEREADERS_API std::unique_ptr<BmpImage> readBmp8(const char* path);

// Replaces palette indices by palette entries in place (giving expandedFormat and
// expandedBitsPerPixel); does nothing without a pending palette or when memory runs out.
GALLERY_IMAGEREADERS_API void expandPalette(BmpImage& image);
