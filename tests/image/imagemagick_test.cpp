// Files written by ImageMagick, an encoder no one here wrote, must read as ImageMagick itself
// decodes them: same size, same pixels, rows bottom-up and padded to 4 bytes.
#include "gallery/bmp_reader.h"
#include "gallery/tga_reader.h"
#include "image_streams.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct EncoderCase {
    const char* name;
    const char* settings; // applied to every picture before it is written
    const char* coder;    // ImageMagick's output format
    const char* channels; // "rgb" or "rgba"
    unsigned fileBits;    // the depth ImageMagick must have stored, so the case is what it says
    unsigned origin;      // the TGA origin bits ImageMagick must have stored: 0x10 right, 0x20 top
};

// Remapping to a fixed 256-colour palette makes ImageMagick write 8-bit BMPs (not 1 or 4 bits)
// and colour maps of exactly 256 entries.
constexpr const char* paletted = "+dither -remap PALETTE -type palette -compress none";
const EncoderCase encoderCases[] = {
    {"Bmp3TrueColour", "-type truecolor -compress none", "BMP3", "rgb", 24, 0},
    {"Bmp3Paletted", paletted, "BMP3", "rgb", 8, 0},
    {"BmpV5TrueColour", "-type truecolor -compress none", "BMP", "rgb", 24, 0},
    {"BmpV5Paletted", paletted, "BMP", "rgb", 8, 0},
    {"TgaTrueColour", "-type truecolor -compress none", "TGA", "rgb", 24, 0},
    {"TgaTrueColourTopLeft", "-type truecolor -compress none -orient TopLeft", "TGA", "rgb", 24,
     0x20},
    {"TgaTrueColourBottomRight", "-type truecolor -compress none -orient BottomRight", "TGA", "rgb",
     24, 0x10},
    {"TgaRunLength", "-type truecolor -compress RLE", "TGA", "rgb", 24, 0},
    {"TgaRunLengthTopLeft", "-type truecolor -compress RLE -orient TopLeft", "TGA", "rgb", 24,
     0x20},
    {"TgaRunLengthTopRight", "-type truecolor -compress RLE -orient TopRight", "TGA", "rgb", 24,
     0x30},
    {"TgaTrueColourAlpha", "-alpha copy -type truecoloralpha -compress none", "TGA", "rgba", 32, 0},
    {"TgaRunLengthAlpha", "-alpha copy -type truecoloralpha -compress RLE", "TGA", "rgba", 32, 0},
    {"TgaColourMapped", paletted, "TGA", "rgb", 8, 0},
    {"TgaColourMappedBottomRight",
     "+dither -remap PALETTE -type palette -compress none -orient BottomRight", "TGA", "rgb", 8,
     0x10},
};

constexpr int widths[] = {1, 2, 3, 5, 7};
constexpr int heights[] = {1, 2, 5};

class ImageMagickFiles : public testing::TestWithParam<EncoderCase> {};

std::string withPalette(std::string settings, const std::string& palette) {
    const auto at = settings.find("PALETTE");
    return at == std::string::npos ? settings : settings.replace(at, 7, palette);
}

TEST_P(ImageMagickFiles, ReadAsImageMagickDecodesThem) {
    const EncoderCase& encoder = GetParam();
    const bool isBmp = std::string(encoder.coder).starts_with("BMP");
    TempDir dir;
    const std::string palette = dir.path("palette.png");
    ASSERT_TRUE(runCommand("convert -size 16x16 xc: -channel R -fx 'i/15' -channel G -fx 'j/15' "
                           "-channel B -fx '(i+j)/30' +channel -depth 8 '" +
                           palette + "'"));
    std::string command = "convert -seed 1";
    std::vector<ImageFile> files;
    for (int width : widths) {
        for (int height : heights) {
            command += " '(' -size " + std::to_string(width) + "x" + std::to_string(height) +
                       " plasma:fractal ')'";
            const std::string name = std::to_string(files.size()) + (isBmp ? ".bmp" : ".tga");
            files.push_back({dir.path(name), width, height});
        }
    }
    command += " -depth 8 " + withPalette(encoder.settings, palette) + " +adjoin " + encoder.coder +
               ":'" + dir.path(isBmp ? "%d.bmp" : "%d.tga") + "'";
    ASSERT_TRUE(runCommand(command));
    const std::vector<Bytes> decoded = imageMagickRows(files, encoder.channels);
    ASSERT_EQ(decoded.size(), files.size());

    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].path);
        const Bytes file = readBytes(files[i].path);
        ASSERT_GE(file.size(), isBmp ? 30u : 18u);
        EXPECT_EQ(file[isBmp ? 28 : 16], encoder.fileBits);
        EXPECT_EQ(isBmp ? 0u : file[17] & 0x30u, encoder.origin);
        const auto image = isBmp ? readBmp(files[i].path.c_str()) : readTga(files[i].path.c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->width, std::uint32_t(files[i].width));
        EXPECT_EQ(image->height, std::uint32_t(files[i].height));
        // BMP pictures come out expanded; TGA colour-mapped ones with their palette pending.
        const bool pending = !isBmp && encoder.fileBits == 8;
        EXPECT_EQ(image->bitsPerPixel, isBmp ? 24 : encoder.fileBits);
        EXPECT_EQ(image->rowBytes, expectedRowBytes(image->width, image->bitsPerPixel));
        EXPECT_EQ(image->palettePending, pending);
        expandPalette(*image);
        const std::uint32_t expectedFormat =
            std::string(encoder.channels) == "rgba" ? PixelFormatRgba : PixelFormatRgb;
        EXPECT_EQ(image->format, expectedFormat);
        EXPECT_EQ(image->rowBytes, expectedRowBytes(image->width, image->bitsPerPixel));
        EXPECT_EQ(packedRows(*image), decoded[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Encoders, ImageMagickFiles, testing::ValuesIn(encoderCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ImageMagick writes colour maps of 24 bits only; a 32-bit map is written here and decoded by
// ImageMagick.
TEST(ImageMagickDecoding, ColourMapOf32BitEntries) {
    TempDir dir;
    const Picture picture = distinctPicture(5, 3);
    const std::string path = dir.path("mapped32.tga");
    writeBytes(path, tgaFile(picture, {.type = TgaType::Mapped, .bits = 32}));
    const auto image = readTga(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->expandedFormat, PixelFormatRgba);
    expandPalette(*image);
    EXPECT_EQ(image->bitsPerPixel, 32u);
    EXPECT_EQ(image->rowBytes, 20);
    EXPECT_EQ(packedRows(*image), imageMagickRows({{path, 5, 3}}, "rgba").at(0));
}

// A run-length picture followed by a mebibyte of other data: the reader reads no further than
// the picture's pixels can need, a packet header and a pixel for each.
TEST(ImageMagickDecoding, RunLengthReadingStopsWhereThePictureMustEnd) {
    TempDir dir;
    const std::string path = dir.path("rle.tga");
    ASSERT_TRUE(runCommand("convert -seed 1 -size 5x3 plasma:fractal -depth 8 -type truecolor "
                           "-compress RLE TGA:'" +
                           path + "'"));
    const Bytes decoded = imageMagickRows({{path, 5, 3}}, "rgb").at(0);
    Bytes bytes = readBytes(path);
    ASSERT_EQ(bytes[0], 0) << "no image ID";
    bytes.resize(bytes.size() + (1 << 20), 0xA5);
    writeBytes(path, bytes);

    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    const auto image = readTgaStream(file);
    const long readUpTo = std::ftell(file);
    std::fclose(file);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(packedRows(*image), decoded);
    EXPECT_LE(readUpTo, 18 + 5 * 3 * (1 + 3));
}

} // namespace
