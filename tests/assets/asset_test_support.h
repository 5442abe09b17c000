// Shared by the asset tests: the committed files, whole-file reading and scratch folders.
#pragma once

#include "gallery/bmp_reader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The committed file at a path relative to the repository root, e.g. "textury/terc.bmp".
std::filesystem::path committed(const std::string& relative);

// The whole file; empty when it cannot be read.
std::vector<std::uint8_t> readWholeFile(const std::filesystem::path& path);
void writeWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A committed picture through the gallery's BMP reader; fails the test when it does not read.
std::unique_ptr<BmpImage> readCommittedPicture(const std::string& relative);

// The RGB bytes of pixel (x, y) of a read image, row 0 at the bottom.
const unsigned char* pixelAt(const BmpImage& image, int x, int y);

// A fresh folder for one test, removed with everything in it when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
