#include "sample_files.h"

#include <algorithm>
#include <stdexcept>

namespace {

void append16(Bytes& bytes, std::uint32_t value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

void append32(Bytes& bytes, std::uint32_t value) {
    append16(bytes, value & 0xFFFF);
    append16(bytes, value >> 16);
}

// Blue, green, red (and alpha): the byte order both formats store.
void appendStoredColour(Bytes& bytes, int index, int channels) {
    const Rgba c = paletteColour(index);
    bytes.insert(bytes.end(), {c[2], c[1], c[0]});
    if (channels == 4) {
        bytes.push_back(c[3]);
    }
}

std::size_t paddedRow(int width, int bits) {
    return ((std::size_t(width) * bits + 31) / 32) * 4;
}

// Run packets for repeated pixels, raw packets otherwise, each of at most 128 pixels; the
// packets run on across row ends.
void appendRunLength(Bytes& out, const std::vector<unsigned char>& indices, int channels) {
    std::size_t at = 0;
    while (at < indices.size()) {
        std::size_t run = 1;
        while (at + run < indices.size() && run < 128 && indices[at + run] == indices[at]) {
            ++run;
        }
        if (run > 1) {
            out.push_back(static_cast<unsigned char>(0x80 | (run - 1)));
            appendStoredColour(out, indices[at], channels);
            at += run;
            continue;
        }
        std::size_t raw = 1;
        while (at + raw < indices.size() && raw < 128 &&
               (at + raw + 1 == indices.size() || indices[at + raw] != indices[at + raw + 1])) {
            ++raw;
        }
        out.push_back(static_cast<unsigned char>(raw - 1));
        for (std::size_t i = 0; i < raw; ++i) {
            appendStoredColour(out, indices[at + i], channels);
        }
        at += raw;
    }
}

} // namespace

Picture distinctPicture(int width, int height) {
    Picture picture{width, height, {}};
    for (int i = 0; i < width * height; ++i) {
        picture.indices.push_back(static_cast<unsigned char>(i));
    }
    return picture;
}

Picture solidPicture(int width, int height) {
    return Picture{width, height, std::vector<unsigned char>(std::size_t(width) * height, 0)};
}

Rgba paletteColour(int index) {
    return {static_cast<unsigned char>(index), static_cast<unsigned char>(index * 7 + 3),
            static_cast<unsigned char>(255 - index), static_cast<unsigned char>(index * 5 + 64)};
}

Bytes bmpFile(const Picture& picture, const BmpLayout& layout) {
    if (layout.bits != 8 && layout.bits != 24) {
        throw std::invalid_argument("bmpFile writes 8 or 24 bits");
    }
    const std::size_t paletteBytes = layout.bits == 8 ? 4 * std::size_t(layout.paletteEntries) : 0;
    const std::size_t rowBytes = paddedRow(picture.width, layout.bits);
    const std::size_t pixelOffset = 14 + layout.headerSize + paletteBytes;
    const std::size_t fileSize = pixelOffset + rowBytes * picture.height;
    Bytes bytes{'B', 'M'};
    append32(bytes, static_cast<std::uint32_t>(fileSize));
    append32(bytes, 0);
    append32(bytes, static_cast<std::uint32_t>(pixelOffset));
    append32(bytes, layout.headerSize);
    append32(bytes, static_cast<std::uint32_t>(picture.width));
    append32(bytes, static_cast<std::uint32_t>(picture.height));
    append16(bytes, 1);
    append16(bytes, static_cast<std::uint32_t>(layout.bits));
    append32(bytes, 0); // no compression
    append32(bytes, static_cast<std::uint32_t>(rowBytes * picture.height));
    append32(bytes, 2835);
    append32(bytes, 2835);
    append32(bytes, layout.bits == 8 ? static_cast<std::uint32_t>(layout.paletteEntries) : 0);
    append32(bytes, 0);
    bytes.resize(14 + layout.headerSize, 0); // the longer headers' colour-space fields
    for (int e = 0; e < (layout.bits == 8 ? layout.paletteEntries : 0); ++e) {
        appendStoredColour(bytes, e, 3);
        bytes.push_back(0);
    }
    for (int y = 0; y < picture.height; ++y) {
        const std::size_t rowStart = bytes.size();
        for (int x = 0; x < picture.width; ++x) {
            const int index = picture.indices[std::size_t(y) * picture.width + x];
            if (layout.bits == 8) {
                bytes.push_back(static_cast<unsigned char>(index));
            } else {
                appendStoredColour(bytes, index, 3);
            }
        }
        bytes.resize(rowStart + rowBytes, 0);
    }
    return bytes;
}

Bytes tgaFile(const Picture& picture, const TgaLayout& layout) {
    const bool mapped = layout.type == TgaType::Mapped;
    Bytes bytes{static_cast<unsigned char>(layout.idLength), static_cast<unsigned char>(mapped),
                static_cast<unsigned char>(layout.type)};
    append16(bytes, 0);
    append16(bytes, mapped ? 256 : 0);
    bytes.push_back(mapped ? static_cast<unsigned char>(layout.bits) : 0);
    append16(bytes, 0);
    append16(bytes, 0);
    append16(bytes, static_cast<std::uint32_t>(picture.width));
    append16(bytes, static_cast<std::uint32_t>(picture.height));
    bytes.push_back(mapped ? 8 : static_cast<unsigned char>(layout.bits));
    bytes.push_back(layout.topDown ? 0x20 : 0x00);
    for (int i = 0; i < layout.idLength; ++i) {
        bytes.push_back(static_cast<unsigned char>('A' + i % 26));
    }
    const int channels = layout.bits / 8;
    if (mapped) {
        for (int e = 0; e < 256; ++e) {
            appendStoredColour(bytes, e, channels);
        }
    }
    // The file's rows in the order its origin corner gives.
    std::vector<unsigned char> stored;
    for (int row = 0; row < picture.height; ++row) {
        const int y = layout.topDown ? picture.height - 1 - row : row;
        const auto first = picture.indices.begin() + std::ptrdiff_t(y) * picture.width;
        stored.insert(stored.end(), first, first + picture.width);
    }
    if (layout.type == TgaType::Rle) {
        appendRunLength(bytes, stored, channels);
    } else if (mapped) {
        bytes.insert(bytes.end(), stored.begin(), stored.end());
    } else {
        for (unsigned char index : stored) {
            appendStoredColour(bytes, index, channels);
        }
    }
    return bytes;
}

Bytes expectedRows(const Picture& picture, int channels) {
    Bytes rows;
    for (unsigned char index : picture.indices) {
        if (channels == 1) {
            rows.push_back(index);
            continue;
        }
        const Rgba c = paletteColour(index);
        rows.insert(rows.end(), c.begin(), c.begin() + channels);
    }
    return rows;
}

void putLittleEndian16(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    bytes.at(offset) = static_cast<unsigned char>(value);
    bytes.at(offset + 1) = static_cast<unsigned char>(value >> 8);
}

void putLittleEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    putLittleEndian16(bytes, offset, value & 0xFFFF);
    putLittleEndian16(bytes, offset + 2, value >> 16);
}
