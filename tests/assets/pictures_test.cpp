// The committed pictures as the gallery reads them: sizes and depths, the explosion's black
// border and its course, and which way up the sky stands.
#include "asset_test_support.h"
#include "colour.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

struct PictureFile {
    std::string path;
    std::uint32_t size;
    int bits;
};

std::vector<PictureFile> pictureFiles() {
    std::vector<PictureFile> files = {
        {"textury/kralik.bmp", 256, 24},
        {"textury/sysel.bmp", 256, 24},
        {"textury/terc.bmp", 256, 24},
    };
    for (int n = 1; n <= 10; ++n) {
        files.push_back({"textury/Explode" + std::to_string(n) + ".bmp", 128, 8});
    }
    for (int n = 0; n < 6; ++n) {
        files.push_back({"textury/skybox" + std::to_string(n) + ".bmp", 512, 24});
    }
    return files;
}

double luminance(const unsigned char* p) {
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

void PrintTo(const PictureFile& file, std::ostream* out) {
    *out << file.path;
}

class CommittedPicture : public testing::TestWithParam<PictureFile> {};

TEST_P(CommittedPicture, ReadsAtItsSizeAndDepthAndIsNotBlank) {
    const PictureFile& file = GetParam();
    const std::vector<std::uint8_t> bytes = readWholeFile(committed(file.path));
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[28], file.bits) << "bit count";
    const auto image = readCommittedPicture(file.path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, file.size);
    EXPECT_EQ(image->height, file.size);
    double low = 255;
    double high = 0;
    for (std::uint32_t y = 0; y < image->height; ++y) {
        for (std::uint32_t x = 0; x < image->width; ++x) {
            const unsigned char* p = pixelAt(*image, static_cast<int>(x), static_cast<int>(y));
            const double brightest = std::max({p[0], p[1], p[2]});
            low = std::min(low, brightest);
            high = std::max(high, brightest);
        }
    }
    EXPECT_GT(high - low, 32) << "a picture with next to no contrast";
}

INSTANTIATE_TEST_SUITE_P(Files, CommittedPicture, testing::ValuesIn(pictureFiles()),
                         [](const auto& info) {
                             std::string name = info.param.path.substr(8);
                             return name.substr(0, name.size() - 4);
                         });

struct FrameMeasure {
    double peak = 0;   // brightest pixel
    double reach = 0;  // farthest glowing pixel from the middle, in frame widths
    double border = 0; // brightest pixel along the border
};

FrameMeasure measureFrame(int number) {
    FrameMeasure m;
    const auto image = readCommittedPicture("textury/Explode" + std::to_string(number) + ".bmp");
    if (image == nullptr) {
        return m;
    }
    const int size = static_cast<int>(image->width);
    const int margin = size / 32;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = pixelAt(*image, x, y);
            const double l = luminance(p);
            m.peak = std::max(m.peak, l);
            if (l > 24) {
                const double dx = (x + 0.5) / size - 0.5;
                const double dy = (y + 0.5) / size - 0.5;
                m.reach = std::max(m.reach, std::sqrt(dx * dx + dy * dy));
            }
            if (x < margin || y < margin || x >= size - margin || y >= size - margin) {
                m.border = std::max(m.border, static_cast<double>(std::max({p[0], p[1], p[2]})));
            }
        }
    }
    return m;
}

TEST(ExplosionFrames, StayBlackAlongTheBorderSoTheSquareNeverShows) {
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(measureFrame(n).border, 0) << "frame " << n;
    }
}

TEST(ExplosionFrames, FlashWhiteThenGrowAndFade) {
    std::vector<FrameMeasure> frames;
    for (int n = 1; n <= 10; ++n) {
        frames.push_back(measureFrame(n));
    }
    EXPECT_GT(frames.front().peak, 230) << "the first frame is white hot";
    for (std::size_t i = 1; i < frames.size(); ++i) {
        EXPECT_LE(frames[i].peak, frames[i - 1].peak + 1) << "frame " << i + 1 << " brightens";
    }
    EXPECT_LT(frames.back().peak, frames.front().peak * 0.6);
    EXPECT_GT(frames[5].reach, frames.front().reach * 1.3) << "the ball does not grow";
}

// Mean colour of the rows from `from` to `to` (fractions of the height, 0 at the bottom).
Colour meanOfRows(const BmpImage& image, double from, double to) {
    Colour sum;
    int count = 0;
    const int size = static_cast<int>(image.height);
    for (int y = static_cast<int>(from * size); y < static_cast<int>(to * size); ++y) {
        for (int x = 0; x < static_cast<int>(image.width); ++x) {
            const unsigned char* p = pixelAt(image, x, y);
            sum = {sum.r + p[0], sum.g + p[1], sum.b + p[2]};
            ++count;
        }
    }
    return {sum.r / count, sum.g / count, sum.b / count};
}

TEST(SkyPictures, WallsStandGroundDownSkyUp) {
    for (const int face : {0, 2, 3, 4}) {
        const auto image = readCommittedPicture("textury/skybox" + std::to_string(face) + ".bmp");
        ASSERT_NE(image, nullptr);
        const Colour ground = meanOfRows(*image, 0, 0.02);
        const Colour sky = meanOfRows(*image, 0.8, 1);
        EXPECT_GT(ground.g, ground.b) << "face " << face << ": the bottom rows are not grass";
        EXPECT_GT(ground.g, ground.r) << "face " << face << ": the bottom rows are not grass";
        EXPECT_GT(sky.b, sky.r + 30) << "face " << face << ": the top rows are not sky";
    }
}

TEST(SkyPictures, GroundIsGrassAndCeilingIsSky) {
    const auto ground = readCommittedPicture("textury/skybox1.bmp");
    const auto ceiling = readCommittedPicture("textury/skybox5.bmp");
    ASSERT_NE(ground, nullptr);
    ASSERT_NE(ceiling, nullptr);
    const Colour grass = meanOfRows(*ground, 0, 1);
    const Colour sky = meanOfRows(*ceiling, 0, 1);
    EXPECT_GT(grass.g, grass.r);
    EXPECT_GT(grass.g, grass.b);
    EXPECT_GT(sky.b, sky.r);
}

} // namespace
