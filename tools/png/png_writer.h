// PNG files from 8-bit RGB or RGBA pixels, written through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngPixels {
    int width = 0;
    int height = 0;
    int channels = 3; // 3 for RGB, 4 for RGBA
    // width * channels bytes per row, no padding; the bottom row first, as OpenGL reads a
    // framebuffer and as the asset painters hold their pictures.
    std::vector<std::uint8_t> bytes;
};

// Writes `pixels` to `path`. On failure returns false with a message naming the file; what
// was written stays, for the caller to keep or remove.
bool writePng(const std::string& path, const PngPixels& pixels, std::string* error);
