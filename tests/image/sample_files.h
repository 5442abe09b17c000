// Small valid BMP and TGA files built byte by byte, to check exact layouts and to patch into
// malformed ones. Every picture is a grid of palette indices; true-colour files store the
// palette colour of each index, so one picture reads the same from every kind of file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

using Bytes = std::vector<unsigned char>;
using Rgba = std::array<unsigned char, 4>;

struct Picture {
    int width;
    int height;
    std::vector<unsigned char> indices; // bottom row first
};

// Every pixel a different index (modulo 256).
Picture distinctPicture(int width, int height);
// Every pixel index 0: one long run.
Picture solidPicture(int width, int height);

// Red, green, blue and alpha of a palette index; different for every index.
Rgba paletteColour(int index);

struct BmpLayout {
    int bits = 24;                 // 8 or 24
    std::uint32_t headerSize = 40; // 40, 108 or 124
    int paletteEntries = 256;      // for 8 bits; also written as the colours-used field
};
Bytes bmpFile(const Picture& picture, const BmpLayout& layout = {});

enum class TgaType { Mapped = 1, TrueColor = 2, Rle = 10 };
struct TgaLayout {
    TgaType type = TgaType::TrueColor;
    int bits = 24; // pixel depth, or the colour map's entry size for Mapped
    bool topDown = false;
    int idLength = 0;
};
Bytes tgaFile(const Picture& picture, const TgaLayout& layout = {});

// The rows a reader must give for the picture: bottom-up, `channels` bytes per pixel
// (3: red, green, blue; 4: and alpha; 1: the indices), without row padding.
Bytes expectedRows(const Picture& picture, int channels);

void putLittleEndian16(Bytes& bytes, std::size_t offset, std::uint32_t value);
void putLittleEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value);
