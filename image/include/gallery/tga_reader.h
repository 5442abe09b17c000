// Reading TGA files into a BmpImage: uncompressed true colour (type 2), run-length true colour
// (type 10), both 24 or 32 bits, and 8-bit colour-mapped (type 1) with a map of exactly 256
// entries of 24 or 32 bits. Rows come out bottom-up and left to right whatever corner the file
// starts at.
// Colour-mapped images are returned with their palette pending (see expandPalette).
// Failures return null; nothing is printed.
#pragma once

#include "bmp_image.h"
#include "imagereaders_api.h"

#include <memory>

// Chooses one of the readers below by the header.
GALLERY_IMAGEREADERS_API std::unique_ptr<BmpImage> readTga(const char* path);

// Each checks the header again; idLength is the number of image-ID bytes after the header
// (0 to 255, the header's first byte).
GALLERY_IMAGEREADERS_API std::unique_ptr<BmpImage> readTgaTrueColor(const char* path, int idLength);
GALLERY_IMAGEREADERS_API std::unique_ptr<BmpImage> readTgaRle(const char* path, int idLength);
GALLERY_IMAGEREADERS_API std::unique_ptr<BmpImage> readTgaMapped(const char* path, int idLength);
