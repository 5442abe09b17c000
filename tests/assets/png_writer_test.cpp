// The PNG writer against libpng's own reader: both channel counts, rows bottom-first in and
// top-first in the file; refusals with a message; and the desktop icon's round cut.
#include "asset_test_support.h"
#include "icon.h"
#include "png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

namespace {

// The file read back as 8-bit pixels of `channels`, top row first.
std::vector<std::uint8_t> readPng(const std::filesystem::path& path, int channels, int* width,
                                  int* height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::vector<std::uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr) == 0) {
        return {};
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return bytes;
}

class PngRoundTrip : public testing::TestWithParam<int> {};

TEST_P(PngRoundTrip, RowsComeBackTopFirst) {
    const int channels = GetParam();
    PngPixels pixels{3, 2, channels, {}};
    for (int i = 0; i < 3 * 2 * channels; ++i) {
        pixels.bytes.push_back(static_cast<std::uint8_t>(10 + 37 * i));
    }
    ScratchFolder folder;
    const auto path = folder.path() / "picture.png";
    std::string error;
    ASSERT_TRUE(writePng(path, pixels, &error)) << error;

    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> read = readPng(path, channels, &width, &height);
    ASSERT_EQ(width, 3);
    ASSERT_EQ(height, 2);
    const std::size_t row = 3 * static_cast<std::size_t>(channels);
    const std::vector<std::uint8_t> bottom(pixels.bytes.begin(), pixels.bytes.begin() + row);
    const std::vector<std::uint8_t> top(pixels.bytes.begin() + row, pixels.bytes.end());
    EXPECT_EQ(std::vector<std::uint8_t>(read.begin(), read.begin() + row), top);
    EXPECT_EQ(std::vector<std::uint8_t>(read.begin() + row, read.end()), bottom);
}

INSTANTIATE_TEST_SUITE_P(Channels, PngRoundTrip, testing::Values(3, 4));

TEST(PngWriter, RefusesWithAMessageNamingTheFile) {
    ScratchFolder folder;
    const std::string path = (folder.path() / "picture.png").string();
    std::string error;
    EXPECT_FALSE(writePng(path, {2, 2, 3, std::vector<std::uint8_t>(11)}, &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_FALSE(writePng(path, {1, 1, 2, std::vector<std::uint8_t>(2)}, &error));
    const std::string missing = (folder.path() / "no/such/folder.png").string();
    error.clear();
    EXPECT_FALSE(writePng(missing, {1, 1, 3, std::vector<std::uint8_t>(3)}, &error));
    EXPECT_NE(error.find(missing), std::string::npos) << error;
}

TEST(DesktopIcon, IsTheTargetCutRound) {
    const int size = 64;
    const PngPixels icon = paintIcon(size);
    ASSERT_EQ(icon.channels, 4);
    ASSERT_EQ(icon.bytes.size(), std::size_t{size * size * 4});
    const auto alpha = [&](int x, int y) { return icon.bytes[(y * size + x) * 4 + 3]; };
    for (const auto& [x, y] :
         {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}) {
        EXPECT_EQ(alpha(x, y), 0) << x << "," << y;
    }
    EXPECT_EQ(alpha(size / 2, size / 2), 255);
    EXPECT_EQ(alpha(size / 2, 3), 255); // the disc reaches nearly to the edge
}

} // namespace
