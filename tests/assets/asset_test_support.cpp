#include "asset_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <unistd.h>

std::filesystem::path committed(const std::string& relative) {
    return std::filesystem::path(GALLERY_SOURCE_DIR) / relative;
}

std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::unique_ptr<BmpImage> readCommittedPicture(const std::string& relative) {
    std::unique_ptr<BmpImage> image = readBmp(committed(relative).c_str());
    EXPECT_NE(image, nullptr) << relative << " does not read";
    return image;
}

const unsigned char* pixelAt(const BmpImage& image, int x, int y) {
    return image.pixels + static_cast<std::ptrdiff_t>(y) * image.rowBytes + x * 3;
}

ScratchFolder::ScratchFolder() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("assets_") + test->test_suite_name() + "_" + test->name() + "_" +
                       std::to_string(getpid());
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
