// Pictures as the painters make them: RGB in doubles, or palette indices for the 8-bit files.
// Row 0 is the bottom row, as in a BMP file and as OpenGL takes a texture (t = 0).
#pragma once

#include "colour.h"

#include <array>
#include <cstdint>
#include <vector>

class Picture {
public:
    Picture(int width, int height, Colour fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[index(x, y)]; }
    const Colour& at(int x, int y) const { return pixels_[index(x, y)]; }

    // The picture with its columns in reverse order.
    Picture mirrored() const;

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

using Palette = std::array<Colour, 256>;

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices; // width * height, bottom row first
    Palette palette{};
};
