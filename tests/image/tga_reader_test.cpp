// Exact layouts of every TGA kind, both origin corners and an image ID, and the run-length
// details: runs across row ends and the longest run.
#include "gallery/tga_reader.h"
#include "image_test_support.h"

#include "gallery/bmp_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TgaCase {
    TgaType type;
    int bits;
    int width;
    bool topDown;
    int idLength;
};

class TgaLayouts : public testing::TestWithParam<TgaCase> {};

TEST_P(TgaLayouts, ReadBottomUpAndPadded) {
    const TgaCase tga = GetParam();
    const Picture picture = distinctPicture(tga.width, 3);
    TempDir dir;
    const std::string path = dir.path("picture.tga");
    writeBytes(path, tgaFile(picture, {tga.type, tga.bits, tga.topDown, tga.idLength}));
    const auto image = readTga(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, std::uint32_t(tga.width));
    EXPECT_EQ(image->height, 3u);
    const int channels = tga.bits / 8;
    if (tga.type == TgaType::Mapped) {
        EXPECT_EQ(image->bitsPerPixel, 8u);
        EXPECT_EQ(image->format, PixelFormatColorIndex);
        EXPECT_TRUE(image->palettePending);
        EXPECT_EQ(image->expandedBitsPerPixel, std::uint32_t(tga.bits));
        EXPECT_EQ(image->rowBytes, expectedRowBytes(image->width, 8));
        EXPECT_EQ(packedRows(*image), expectedRows(picture, 1));
        for (int e = 0; e < 256; ++e) {
            const Rgba colour = paletteColour(e);
            EXPECT_EQ(Bytes(image->palette + e * channels, image->palette + (e + 1) * channels),
                      Bytes(colour.begin(), colour.begin() + channels))
                << "entry " << e;
        }
        expandPalette(*image);
        EXPECT_FALSE(image->palettePending);
    }
    EXPECT_EQ(image->bitsPerPixel, std::uint32_t(tga.bits));
    EXPECT_EQ(image->format, channels == 4 ? PixelFormatRgba : PixelFormatRgb);
    EXPECT_EQ(image->rowBytes, expectedRowBytes(image->width, image->bitsPerPixel));
    EXPECT_EQ(packedRows(*image), expectedRows(picture, channels));
}

INSTANTIATE_TEST_SUITE_P(
    KindsOriginsIds, TgaLayouts,
    testing::Values(
        TgaCase{TgaType::TrueColor, 24, 3, false, 0}, TgaCase{TgaType::TrueColor, 24, 5, true, 7},
        TgaCase{TgaType::TrueColor, 32, 3, true, 0}, TgaCase{TgaType::TrueColor, 32, 1, false, 255},
        TgaCase{TgaType::Rle, 24, 3, false, 3}, TgaCase{TgaType::Rle, 24, 7, true, 0},
        TgaCase{TgaType::Rle, 32, 5, false, 0}, TgaCase{TgaType::Rle, 32, 2, true, 1},
        TgaCase{TgaType::Mapped, 24, 3, false, 0}, TgaCase{TgaType::Mapped, 24, 5, true, 2},
        TgaCase{TgaType::Mapped, 32, 1, false, 0}, TgaCase{TgaType::Mapped, 32, 6, true, 9}),
    [](const auto& info) {
        const TgaCase& tga = info.param;
        const char* type = tga.type == TgaType::Mapped ? "Mapped"
                           : tga.type == TgaType::Rle  ? "Rle"
                                                       : "TrueColor";
        return type + std::to_string(tga.bits) + "Width" + std::to_string(tga.width) +
               (tga.topDown ? "TopLeft" : "BottomLeft") + "Id" + std::to_string(tga.idLength);
    });

// A first packet 0xFF is a run of 128 pixels; at width 5 it fills rows 0 to 24 and three
// pixels of row 25, and the next run goes on from there.
TEST(TgaRunLength, LongestRunCrossesRows) {
    Picture picture = solidPicture(5, 30);
    for (std::size_t i = 128; i < picture.indices.size(); ++i) {
        picture.indices[i] = 9;
    }
    const Bytes bytes = tgaFile(picture, {.type = TgaType::Rle});
    ASSERT_EQ(bytes.at(18), 0xFF);
    ASSERT_EQ(bytes.size(), 18u + 4 + 4); // two run packets
    TempDir dir;
    writeBytes(dir.path("runs.tga"), bytes);
    const auto image = readTga(dir.path("runs.tga").c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(packedRows(*image), expectedRows(picture, 3));
}

TEST(TgaReaders, EachReaderRefusesTheOtherKinds) {
    const Picture picture = distinctPicture(3, 2);
    TempDir dir;
    writeBytes(dir.path("2.tga"), tgaFile(picture));
    writeBytes(dir.path("10.tga"), tgaFile(picture, {.type = TgaType::Rle}));
    writeBytes(dir.path("1.tga"), tgaFile(picture, {.type = TgaType::Mapped}));
    const auto path = [&](const char* name) { return dir.path(name); };
    EXPECT_NE(readTgaTrueColor(path("2.tga").c_str(), 0), nullptr);
    EXPECT_EQ(readTgaTrueColor(path("10.tga").c_str(), 0), nullptr);
    EXPECT_EQ(readTgaTrueColor(path("1.tga").c_str(), 0), nullptr);
    EXPECT_NE(readTgaRle(path("10.tga").c_str(), 0), nullptr);
    EXPECT_EQ(readTgaRle(path("2.tga").c_str(), 0), nullptr);
    EXPECT_EQ(readTgaRle(path("1.tga").c_str(), 0), nullptr);
    EXPECT_NE(readTgaMapped(path("1.tga").c_str(), 0), nullptr);
    EXPECT_EQ(readTgaMapped(path("2.tga").c_str(), 0), nullptr);
    EXPECT_EQ(readTgaMapped(path("10.tga").c_str(), 0), nullptr);
}

TEST(TgaReaders, IdLengthOutsideOneByteIsRefused) {
    TempDir dir;
    writeBytes(dir.path("2.tga"), tgaFile(distinctPicture(3, 2)));
    EXPECT_EQ(readTgaTrueColor(dir.path("2.tga").c_str(), -1), nullptr);
    EXPECT_EQ(readTgaTrueColor(dir.path("2.tga").c_str(), 256), nullptr);
}

TEST(TgaReaders, PathsThatHoldNoFileGiveNull) {
    TempDir dir;
    EXPECT_EQ(readTga(dir.path("missing.tga").c_str()), nullptr);
    EXPECT_EQ(readTga(dir.path("").c_str()), nullptr);
    EXPECT_EQ(readTga(nullptr), nullptr);
    EXPECT_EQ(readTgaRle(nullptr, 0), nullptr);
}

// Expansion happens once: a second call, or a call on an image that never had a pending
// palette, leaves the pixels as they are.
TEST(PaletteExpansion, OnlyPendingPalettesExpand) {
    TempDir dir;
    writeBytes(dir.path("1.tga"), tgaFile(distinctPicture(3, 2), {.type = TgaType::Mapped}));
    writeBytes(dir.path("8.bmp"), bmpFile(distinctPicture(3, 2), {.bits = 8}));
    const auto mapped = readTga(dir.path("1.tga").c_str());
    const auto bmp = readBmp(dir.path("8.bmp").c_str());
    ASSERT_NE(mapped, nullptr);
    ASSERT_NE(bmp, nullptr);
    expandPalette(*mapped);
    for (BmpImage* image : {mapped.get(), bmp.get()}) {
        const unsigned char* pixels = image->pixels;
        const Bytes before = packedRows(*image);
        expandPalette(*image);
        EXPECT_EQ(image->pixels, pixels);
        EXPECT_EQ(packedRows(*image), before);
    }
    BmpImage empty;
    expandPalette(empty);
    EXPECT_EQ(empty.pixels, nullptr);
}

} // namespace
