#include "bmp_writer.h"

#include <cassert>

namespace {

constexpr std::uint32_t fileHeaderBytes = 14;
constexpr std::uint32_t infoHeaderBytes = 40;
constexpr std::uint32_t paletteEntries = 256;
// 72 dots per inch, the usual value; readers ignore it.
constexpr std::uint32_t pixelsPerMetre = 2835;

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::uint32_t rowBytes(int width, std::uint32_t bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) & ~31u) / 8;
}

// Both headers; the caller appends the palette (if any) and the rows.
std::vector<std::uint8_t> headers(int width, int height, std::uint32_t bitsPerPixel,
                                  std::uint32_t paletteBytes) {
    const std::uint32_t imageBytes =
        rowBytes(width, bitsPerPixel) * static_cast<std::uint32_t>(height);
    const std::uint32_t dataOffset = fileHeaderBytes + infoHeaderBytes + paletteBytes;
    std::vector<std::uint8_t> out;
    out.reserve(dataOffset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, dataOffset + imageBytes);
    put32(out, 0); // two reserved words
    put32(out, dataOffset);
    put32(out, infoHeaderBytes);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height)); // positive: rows run bottom-up
    put16(out, 1);                                  // planes
    put16(out, bitsPerPixel);
    put32(out, 0); // no compression
    put32(out, imageBytes);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, paletteBytes == 0 ? 0 : paletteEntries); // colours used
    put32(out, 0);                                      // every colour is important
    return out;
}

void padRow(std::vector<std::uint8_t>& out, std::uint32_t written, std::uint32_t stride) {
    out.insert(out.end(), stride - written, 0);
}

} // namespace

std::vector<std::uint8_t> encodeBmp24(const Picture& picture) {
    const int width = picture.width();
    const std::uint32_t stride = rowBytes(width, 24);
    std::vector<std::uint8_t> out = headers(width, picture.height(), 24, 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour& c = picture.at(x, y);
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        padRow(out, static_cast<std::uint32_t>(width) * 3, stride);
    }
    return out;
}

std::vector<std::uint8_t> encodeBmp8(const IndexedPicture& picture) {
    assert(picture.width > 0 && picture.height > 0 &&
           picture.indices.size() ==
               static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) &&
           "an indexed picture needs one index per pixel");
    const std::uint32_t stride = rowBytes(picture.width, 8);
    std::vector<std::uint8_t> out = headers(picture.width, picture.height, 8, paletteEntries * 4);
    for (const Colour& c : picture.palette) {
        out.push_back(toByte(c.b));
        out.push_back(toByte(c.g));
        out.push_back(toByte(c.r));
        out.push_back(0);
    }
    auto row = picture.indices.begin();
    for (int y = 0; y < picture.height; ++y, row += picture.width) {
        out.insert(out.end(), row, row + picture.width);
        padRow(out, static_cast<std::uint32_t>(picture.width), stride);
    }
    return out;
}
