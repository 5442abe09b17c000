#include "image_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "image-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    dir = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool runCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command;
    return status == 0;
}

std::vector<Bytes> imageMagickRows(const std::vector<ImageFile>& files,
                                   const std::string& channels) {
    if (files.empty()) {
        return {};
    }
    std::string command = "convert";
    for (const auto& file : files) {
        command += " '" + file.path + "'";
    }
    const std::string out = files.front().path + ".decoded";
    command += " -auto-orient -depth 8 +adjoin " + channels + ":'" + out + "-%d'";
    if (!runCommand(command)) {
        return {};
    }
    std::vector<Bytes> decoded;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Bytes topDown = readBytes(out + "-" + std::to_string(i));
        const std::size_t rowLength = std::size_t(files[i].width) * channels.size();
        const std::size_t height = std::size_t(files[i].height);
        EXPECT_EQ(topDown.size(), rowLength * height) << files[i].path;
        Bytes bottomUp;
        for (std::size_t row = height; row-- > 0 && topDown.size() == rowLength * height;) {
            const auto first = topDown.begin() + std::ptrdiff_t(row * rowLength);
            bottomUp.insert(bottomUp.end(), first, first + std::ptrdiff_t(rowLength));
        }
        decoded.push_back(bottomUp);
    }
    return decoded;
}

Bytes packedRows(const BmpImage& image) {
    Bytes rows;
    const std::size_t rowLength = std::size_t{image.width} * image.bitsPerPixel / 8;
    for (std::uint32_t row = 0; row < image.height; ++row) {
        const unsigned char* first = image.pixels + std::size_t{row} * image.rowBytes;
        rows.insert(rows.end(), first, first + rowLength);
    }
    return rows;
}

std::int32_t expectedRowBytes(std::uint32_t width, std::uint32_t bitsPerPixel) {
    return static_cast<std::int32_t>((width * bitsPerPixel + 31) / 32 * 4);
}
