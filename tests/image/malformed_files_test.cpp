// One table of broken files, each a small valid file with some bytes patched or cut off.
// Every one must give null, print nothing and keep nothing allocated (the sanitizer build
// checks the last).
#include "gallery/bmp_reader.h"
#include "gallery/tga_reader.h"
#include "image_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

enum class Base { Bmp24, Bmp8, TgaTrueColor, TgaRle, TgaMapped };

struct MalformedCase {
    const char* name;
    Base base;
    std::function<void(Bytes&)> patch;
};

Bytes baseFile(Base base) {
    const Picture picture = distinctPicture(3, 2);
    switch (base) {
    case Base::Bmp24:
        return bmpFile(picture);
    case Base::Bmp8:
        return bmpFile(picture, {.bits = 8});
    case Base::TgaTrueColor:
        return tgaFile(picture);
    case Base::TgaRle:
        return tgaFile(picture, {.type = TgaType::Rle});
    case Base::TgaMapped:
        return tgaFile(picture, {.type = TgaType::Mapped});
    }
    return {};
}

bool isBmp(Base base) {
    return base == Base::Bmp24 || base == Base::Bmp8;
}

auto cutTo(std::size_t size) {
    return [size](Bytes& bytes) { bytes.resize(size); };
}
auto cutBy(std::size_t count) {
    return [count](Bytes& bytes) { bytes.resize(bytes.size() - count); };
}
auto set8(std::size_t offset, unsigned value) {
    return [=](Bytes& bytes) { bytes.at(offset) = static_cast<unsigned char>(value); };
}
auto set16(std::size_t offset, std::uint32_t value) {
    return [=](Bytes& bytes) { putLittleEndian16(bytes, offset, value); };
}
auto set32(std::size_t offset, std::uint32_t value) {
    return [=](Bytes& bytes) { putLittleEndian32(bytes, offset, value); };
}
auto both(std::function<void(Bytes&)> first, std::function<void(Bytes&)> second) {
    return [=](Bytes& bytes) {
        first(bytes);
        second(bytes);
    };
}

// BMP offsets: pixel-data offset 10, header size 14, width 18, height 22, bit count 28,
// compression 30. TGA offsets: ID length 0, map type 1, image type 2, first map index 3,
// map length 5, map entry bits 7, x and y origin 8 and 10, width 12, height 14, depth 16.
const MalformedCase malformedCases[] = {
    {"BmpEmpty", Base::Bmp24, cutTo(0)},
    {"BmpOneByte", Base::Bmp24, cutTo(1)},
    {"BmpFileHeaderCut", Base::Bmp24, cutTo(13)},
    {"BmpInfoHeaderCut", Base::Bmp24, cutTo(53)},
    {"BmpSignatureBA", Base::Bmp24, set8(1, 'A')},
    {"BmpSignatureSwapped", Base::Bmp24, both(set8(0, 'M'), set8(1, 'B'))},
    {"BmpBitCount0", Base::Bmp24, set16(28, 0)},
    {"BmpBitCount1", Base::Bmp24, set16(28, 1)},
    {"BmpBitCount2", Base::Bmp24, set16(28, 2)},
    {"BmpBitCount4", Base::Bmp8, set16(28, 4)},
    {"BmpBitCount16", Base::Bmp24, set16(28, 16)},
    {"BmpBitCount32", Base::Bmp24, set16(28, 32)},
    {"BmpBitCount48", Base::Bmp24, set16(28, 48)},
    {"BmpBitCount64", Base::Bmp24, set16(28, 64)},
    {"BmpBitCountMax", Base::Bmp24, set16(28, 0xFFFF)},
    {"BmpRle8", Base::Bmp8, set32(30, 1)},
    {"BmpRle4", Base::Bmp8, set32(30, 2)},
    {"BmpBitFields", Base::Bmp24, set32(30, 3)},
    {"BmpJpeg", Base::Bmp24, set32(30, 4)},
    {"BmpPng", Base::Bmp24, set32(30, 5)},
    {"BmpCompressionMax", Base::Bmp8, set32(30, 0xFFFFFFFF)},
    {"BmpWidthZero", Base::Bmp24, set32(18, 0)},
    {"BmpHeightZero", Base::Bmp8, set32(22, 0)},
    {"BmpWidthNegative", Base::Bmp24, set32(18, 0xFFFFFFFD)},
    {"BmpHeightNegativeTopDown", Base::Bmp24, set32(22, 0xFFFFFFFE)},
    {"BmpHeightNegativeTopDown8", Base::Bmp8, set32(22, 0xFFFFFFFE)},
    {"BmpHeightMostNegative", Base::Bmp24, set32(22, 0x80000000)},
    {"BmpHuge65535Squared", Base::Bmp24, both(cutTo(60), both(set32(18, 65535), set32(22, 65535)))},
    {"BmpHuge65535Squared8", Base::Bmp8, both(set32(18, 65535), set32(22, 65535))},
    {"BmpHugeLargestDimensions", Base::Bmp24, both(set32(18, 0x7FFFFFFF), set32(22, 0x7FFFFFFF))},
    {"BmpRowLongerThanInt32", Base::Bmp24, set32(18, 0x7FFFFFFF)},
    {"BmpOneRowTooMany", Base::Bmp24, set32(22, 3)},
    {"BmpDataOffsetPastEnd", Base::Bmp24, set32(10, 0xFFFFFFFF)},
    {"BmpDataOffsetOneRowLate", Base::Bmp24, set32(10, 54 + 12)},
    {"BmpDataOffsetZero", Base::Bmp24, set32(10, 0)},
    {"BmpDataOffsetInsideInfoHeader", Base::Bmp24, set32(10, 40)},
    {"BmpDataOffsetInsidePaletteHeader", Base::Bmp8, set32(10, 53)},
    {"BmpHeaderSizeOs2", Base::Bmp24, set32(14, 12)},
    {"BmpHeaderSizeZero", Base::Bmp8, set32(14, 0)},
    {"BmpHeaderSizePastData", Base::Bmp24, set32(14, 41)},
    {"BmpHeaderSizeMax", Base::Bmp8, set32(14, 0xFFFFFFFF)},
    {"BmpPaletteCut", Base::Bmp8, cutTo(54 + 100)},
    {"BmpRowsCut24", Base::Bmp24, cutBy(1)},
    {"BmpRowsCut8", Base::Bmp8, cutBy(1)},
    {"BmpRowsMissing8", Base::Bmp8, cutTo(54 + 1024)},

    {"TgaEmpty", Base::TgaTrueColor, cutTo(0)},
    {"TgaOneByte", Base::TgaTrueColor, cutTo(1)},
    {"TgaHeaderCut", Base::TgaRle, cutTo(17)},
    {"TgaTypeNoImage", Base::TgaTrueColor, set8(2, 0)},
    {"TgaTypeGrey", Base::TgaTrueColor, set8(2, 3)},
    {"TgaTypeRleMapped", Base::TgaMapped, set8(2, 9)},
    {"TgaTypeRleGrey", Base::TgaRle, set8(2, 11)},
    {"TgaTypeHuffman", Base::TgaMapped, set8(2, 32)},
    {"TgaTypeQuadtree", Base::TgaMapped, set8(2, 33)},
    {"TgaTrueColorWithMap", Base::TgaTrueColor, set8(1, 1)},
    {"TgaXOrigin", Base::TgaTrueColor, set16(8, 1)},
    {"TgaYOrigin", Base::TgaRle, set16(10, 1)},
    {"TgaMap255Entries", Base::TgaMapped, set16(5, 255)},
    {"TgaMap257Entries", Base::TgaMapped, set16(5, 257)},
    {"TgaMapNoEntries", Base::TgaMapped, set16(5, 0)},
    {"TgaMapFirstIndex1", Base::TgaMapped, set16(3, 1)},
    {"TgaMapEntries15Bits", Base::TgaMapped, set8(7, 15)},
    {"TgaMapEntries16Bits", Base::TgaMapped, set8(7, 16)},
    {"TgaMappedNoMap", Base::TgaMapped, set8(1, 0)},
    {"TgaMappedDepth16", Base::TgaMapped, set8(16, 16)},
    {"TgaMappedDepth24", Base::TgaMapped, set8(16, 24)},
    {"TgaTrueColorDepth8", Base::TgaTrueColor, set8(16, 8)},
    {"TgaTrueColorDepth15", Base::TgaTrueColor, set8(16, 15)},
    {"TgaTrueColorDepth16", Base::TgaTrueColor, set8(16, 16)},
    {"TgaTrueColorDepth33", Base::TgaTrueColor, set8(16, 33)},
    {"TgaRleDepth15", Base::TgaRle, set8(16, 15)},
    {"TgaRleDepth16", Base::TgaRle, set8(16, 16)},
    {"TgaRleDepth33", Base::TgaRle, set8(16, 33)},
    {"TgaWidthZero", Base::TgaTrueColor, set16(12, 0)},
    {"TgaHeightZero", Base::TgaRle, set16(14, 0)},
    {"TgaWidthZeroMapped", Base::TgaMapped, set16(12, 0)},
    {"TgaHuge65535Squared", Base::TgaTrueColor, both(set16(12, 65535), set16(14, 65535))},
    {"TgaHuge65535SquaredRle", Base::TgaRle, both(set16(12, 65535), set16(14, 65535))},
    {"TgaHuge65535SquaredMapped", Base::TgaMapped, both(set16(12, 65535), set16(14, 65535))},
    {"TgaRowsCut", Base::TgaTrueColor, cutBy(1)},
    {"TgaMappedPaletteCut", Base::TgaMapped, cutTo(18 + 700)},
    {"TgaMappedRowsCut", Base::TgaMapped, cutBy(1)},
    // The base RLE file is one raw packet of 6 pixels: 18 header bytes, then 1 + 18.
    {"TgaRlePacketPastImage", Base::TgaRle, set8(18, 6)},
    {"TgaRleRunPastImage", Base::TgaRle, both(set8(18, 0x86), cutTo(18 + 4))},
    {"TgaRleOnePixelShort", Base::TgaRle, both(set8(18, 4), cutTo(18 + 1 + 15))},
    {"TgaRleDataCut", Base::TgaRle, cutBy(1)},
    {"TgaRleNoData", Base::TgaRle, cutTo(18)},
    {"TgaIdPastEnd", Base::TgaTrueColor, set8(0, 255)},
    {"TgaIdPastEndRle", Base::TgaRle, set8(0, 255)},
    {"TgaIdIntoPixels", Base::TgaMapped, set8(0, 200)},
};

class MalformedFiles : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedFiles, AreRefusedSilently) {
    const MalformedCase& malformed = GetParam();
    Bytes bytes = baseFile(malformed.base);
    malformed.patch(bytes);
    TempDir dir;
    const std::string path = dir.path("malformed");
    writeBytes(path, bytes);

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    if (isBmp(malformed.base)) {
        EXPECT_EQ(readBmp(path.c_str()), nullptr);
        EXPECT_EQ(readBmp24(path.c_str()), nullptr);
        EXPECT_EQ(readBmp8(path.c_str()), nullptr);
    } else {
        const int idLength = bytes.empty() ? 0 : bytes[0];
        EXPECT_EQ(readTga(path.c_str()), nullptr);
        EXPECT_EQ(readTgaTrueColor(path.c_str(), idLength), nullptr);
        EXPECT_EQ(readTgaRle(path.c_str(), idLength), nullptr);
        EXPECT_EQ(readTgaMapped(path.c_str(), idLength), nullptr);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

INSTANTIATE_TEST_SUITE_P(Table, MalformedFiles, testing::ValuesIn(malformedCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each base file is read, so every refusal above comes from its patch alone.
TEST(MalformedFilesBase, UnpatchedFilesRead) {
    TempDir dir;
    for (Base base : {Base::Bmp24, Base::Bmp8, Base::TgaTrueColor, Base::TgaRle, Base::TgaMapped}) {
        const std::string path = dir.path("valid");
        writeBytes(path, baseFile(base));
        EXPECT_NE(isBmp(base) ? readBmp(path.c_str()) : readTga(path.c_str()), nullptr);
    }
}

} // namespace
