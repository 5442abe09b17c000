// What the BMP reader must get right beyond matching ImageMagick: where the palette lies,
// exact row layouts for every header length, and what it refuses.
#include "gallery/bmp_reader.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <string>

namespace {

struct LayoutCase {
    int width;
    int bits;
    std::uint32_t headerSize;
};

class BmpLayouts : public testing::TestWithParam<LayoutCase> {};

// The palette is found after headers of any length; rows keep their 4-byte stride before and
// after expansion, with the fill bytes of expanded rows zero.
TEST_P(BmpLayouts, ReadExactly) {
    const LayoutCase layout = GetParam();
    const Picture picture = distinctPicture(layout.width, 3);
    TempDir dir;
    const std::string path = dir.path("picture.bmp");
    writeBytes(path, bmpFile(picture, {.bits = layout.bits, .headerSize = layout.headerSize}));
    const auto image = readBmp(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, std::uint32_t(layout.width));
    EXPECT_EQ(image->height, 3u);
    EXPECT_EQ(image->bitsPerPixel, 24u);
    EXPECT_EQ(image->format, PixelFormatRgb);
    EXPECT_FALSE(image->palettePending);
    EXPECT_EQ(image->palette != nullptr, layout.bits == 8);
    EXPECT_EQ(image->rowBytes, expectedRowBytes(image->width, 24));
    EXPECT_EQ(packedRows(*image), expectedRows(picture, 3));
    for (std::uint32_t row = 0; row < image->height; ++row) {
        for (auto at = image->width * 3; at < std::uint32_t(image->rowBytes); ++at) {
            EXPECT_EQ(image->pixels[row * image->rowBytes + at], 0) << "row " << row;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WidthsDepthsHeaders, BmpLayouts,
                         testing::Values(LayoutCase{1, 24, 40}, LayoutCase{2, 24, 40},
                                         LayoutCase{3, 24, 108}, LayoutCase{4, 24, 124},
                                         LayoutCase{5, 24, 40}, LayoutCase{1, 8, 40},
                                         LayoutCase{3, 8, 40}, LayoutCase{5, 8, 108},
                                         LayoutCase{6, 8, 124}, LayoutCase{7, 8, 124}),
                         [](const auto& info) {
                             const LayoutCase& c = info.param;
                             return "Width" + std::to_string(c.width) + "Bits" +
                                    std::to_string(c.bits) + "Header" +
                                    std::to_string(c.headerSize);
                         });

TEST(BmpReader, SamePictureAt24And8BitsGivesSameBytes) {
    const Picture picture = distinctPicture(2, 2);
    TempDir dir;
    writeBytes(dir.path("24.bmp"), bmpFile(picture));
    writeBytes(dir.path("8.bmp"), bmpFile(picture, {.bits = 8}));
    const auto trueColour = readBmp(dir.path("24.bmp").c_str());
    const auto paletted = readBmp(dir.path("8.bmp").c_str());
    ASSERT_NE(trueColour, nullptr);
    ASSERT_NE(paletted, nullptr);
    EXPECT_EQ(trueColour->rowBytes, 8);
    EXPECT_EQ(paletted->rowBytes, 8);
    EXPECT_EQ(packedRows(*trueColour), packedRows(*paletted));
}

// A palette shorter than 256 entries: the pixel rows that follow it must not be taken for
// palette entries, and indices past its end are black.
TEST(BmpReader, ShortPaletteEndsWhereTheRowsBegin) {
    const Picture picture = distinctPicture(4, 1);
    for (bool statesItsLength : {true, false}) {
        SCOPED_TRACE(statesItsLength ? "colours-used 2" : "colours-used 0");
        Bytes bytes = bmpFile(picture, {.bits = 8, .paletteEntries = 2});
        if (!statesItsLength) {
            putLittleEndian32(bytes, 46, 0);
        }
        TempDir dir;
        writeBytes(dir.path("short.bmp"), bytes);
        const auto image = readBmp(dir.path("short.bmp").c_str());
        ASSERT_NE(image, nullptr);
        Bytes expected = expectedRows(distinctPicture(2, 1), 3);
        expected.resize(4 * 3, 0);
        EXPECT_EQ(packedRows(*image), expected);
    }
}

TEST(BmpReader, EachDepthReaderRefusesTheOtherDepth) {
    const Picture picture = distinctPicture(3, 2);
    TempDir dir;
    writeBytes(dir.path("24.bmp"), bmpFile(picture));
    writeBytes(dir.path("8.bmp"), bmpFile(picture, {.bits = 8}));
    EXPECT_NE(readBmp24(dir.path("24.bmp").c_str()), nullptr);
    EXPECT_EQ(readBmp8(dir.path("24.bmp").c_str()), nullptr);
    EXPECT_NE(readBmp8(dir.path("8.bmp").c_str()), nullptr);
    EXPECT_EQ(readBmp24(dir.path("8.bmp").c_str()), nullptr);
}

TEST(BmpReader, PathsThatHoldNoFileGiveNull) {
    TempDir dir;
    EXPECT_EQ(readBmp(dir.path("missing.bmp").c_str()), nullptr);
    EXPECT_EQ(readBmp(dir.path("").c_str()), nullptr); // the folder itself
    EXPECT_EQ(readBmp(""), nullptr);
    EXPECT_EQ(readBmp(nullptr), nullptr);
}

#if defined(__SANITIZE_ADDRESS__)
#define IMAGE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define IMAGE_TEST_ASAN 1
#endif
#endif

#ifdef IMAGE_TEST_ASAN
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            std::size_t),
                                                         void (*freeHook)(const volatile void*));
std::atomic<std::size_t> largestAllocation{0};
void recordAllocation(const volatile void*, std::size_t size) {
    std::size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
}
void ignoreFree(const volatile void*) {}
#endif

// A 60-byte file claiming 65535 x 65535 pixels is refused before the 12 GiB are asked for.
// The allocation itself is only observable under AddressSanitizer's hooks.
TEST(BmpReader, ClaimedSizeIsCheckedBeforeAllocating) {
    Bytes bytes = bmpFile(distinctPicture(2, 1));
    putLittleEndian32(bytes, 18, 65535);
    putLittleEndian32(bytes, 22, 65535);
    ASSERT_EQ(bytes.size(), 62u);
    bytes.resize(60);
    TempDir dir;
    writeBytes(dir.path("huge.bmp"), bytes);
#ifdef IMAGE_TEST_ASAN
    static const bool hooked =
        __sanitizer_install_malloc_and_free_hooks(recordAllocation, ignoreFree) != 0;
    ASSERT_TRUE(hooked);
    largestAllocation = 0;
#endif
    EXPECT_EQ(readBmp(dir.path("huge.bmp").c_str()), nullptr);
#ifdef IMAGE_TEST_ASAN
    EXPECT_LT(largestAllocation.load(), std::size_t{1} << 20);
#endif
}

} // namespace
