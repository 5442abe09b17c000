// The BMP writer against the gallery's reader: every row length (with and without padding),
// both depths, pixels back in place and in RGB order.
#include "asset_test_support.h"
#include "bmp_writer.h"

#include <gtest/gtest.h>

namespace {

struct Size {
    int width, height;
};

// A colour that differs in every channel from pixel to pixel, so a swapped channel, a shifted
// row or a flipped picture shows.
Colour colourAt(int x, int y) {
    return {(10 + 40 * x) / 255.0, (5 + 50 * y) / 255.0, (200 - 20 * (x + y)) / 255.0};
}

class BmpRoundTrip : public testing::TestWithParam<Size> {};

TEST_P(BmpRoundTrip, TwentyFourBitsReadBackAsPainted) {
    const auto [width, height] = GetParam();
    Picture picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.at(x, y) = colourAt(x, y);
        }
    }
    ScratchFolder folder;
    const auto path = folder.path() / "picture.bmp";
    writeWholeFile(path, encodeBmp24(picture));

    const auto image = readBmp(path.c_str());
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width, static_cast<std::uint32_t>(width));
    ASSERT_EQ(image->height, static_cast<std::uint32_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = pixelAt(*image, x, y);
            const Colour c = colourAt(x, y);
            EXPECT_EQ(p[0], toByte(c.r)) << x << "," << y;
            EXPECT_EQ(p[1], toByte(c.g)) << x << "," << y;
            EXPECT_EQ(p[2], toByte(c.b)) << x << "," << y;
        }
    }
}

TEST_P(BmpRoundTrip, EightBitsReadBackThroughThePalette) {
    const auto [width, height] = GetParam();
    IndexedPicture picture;
    picture.width = width;
    picture.height = height;
    for (int i = 0; i < 256; ++i) {
        picture.palette[static_cast<std::size_t>(i)] = {i / 255.0, (255 - i) / 255.0,
                                                        (i * 7 % 256) / 255.0};
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.indices.push_back(static_cast<std::uint8_t>(x * 37 + y * 11 + 1));
        }
    }
    ScratchFolder folder;
    const auto path = folder.path() / "frame.bmp";
    const std::vector<std::uint8_t> bytes = encodeBmp8(picture);
    writeWholeFile(path, bytes);
    EXPECT_EQ(bytes[28], 8) << "bit count";

    const auto image = readBmp(path.c_str());
    ASSERT_NE(image, nullptr);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int index = x * 37 + y * 11 + 1;
            const Colour& c = picture.palette[static_cast<std::size_t>(index % 256)];
            const unsigned char* p = pixelAt(*image, x, y);
            EXPECT_EQ(p[0], toByte(c.r)) << x << "," << y;
            EXPECT_EQ(p[1], toByte(c.g)) << x << "," << y;
            EXPECT_EQ(p[2], toByte(c.b)) << x << "," << y;
        }
    }
}

// 1, 3 and 5 pixels leave padding at the end of each row at both depths; 4 leaves none.
INSTANTIATE_TEST_SUITE_P(RowLengths, BmpRoundTrip,
                         testing::Values(Size{1, 1}, Size{3, 2}, Size{4, 4}, Size{5, 3}));

std::uint32_t field32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

TEST(BmpWriter, HeaderSizesAgreeWithTheData) {
    const std::vector<std::uint8_t> rgb = encodeBmp24(Picture(3, 2));
    EXPECT_EQ(field32(rgb, 2), rgb.size()) << "file size";
    EXPECT_EQ(field32(rgb, 10), 54u) << "pixel data offset";
    EXPECT_EQ(field32(rgb, 14), 40u) << "information header size";
    EXPECT_EQ(field32(rgb, 34), 2u * 12u) << "image size: two rows of 9 bytes padded to 12";
    EXPECT_EQ(rgb.size(), 54u + 24u);

    IndexedPicture frame;
    frame.width = 5;
    frame.height = 2;
    frame.indices.assign(10, 0);
    const std::vector<std::uint8_t> indexed = encodeBmp8(frame);
    EXPECT_EQ(field32(indexed, 10), 54u + 1024u) << "the palette lies between header and rows";
    EXPECT_EQ(field32(indexed, 46), 256u) << "colours used";
    EXPECT_EQ(indexed.size(), 54u + 1024u + 2u * 8u);
}

} // namespace
