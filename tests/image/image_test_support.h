// Helpers for the image tests: temporary folders and files, ImageMagick as an independent
// encoder and decoder, and an image's pixel bytes without row padding.
#pragma once

#include "gallery/bmp_image.h"
#include "sample_files.h"

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const { return dir + "/" + name; }

private:
    std::string dir;
};

void writeBytes(const std::string& path, const Bytes& bytes);
Bytes readBytes(const std::string& path);

// Runs a shell command; false (with a test failure naming it) when it does not succeed.
bool runCommand(const std::string& command);

struct ImageFile {
    std::string path;
    int width;
    int height;
};

// ImageMagick's own decoding of each file, upright, as 8-bit samples of `channels` per pixel
// ("rgb" or "rgba"), bottom row first like BmpImage, without padding. One process for all.
std::vector<Bytes> imageMagickRows(const std::vector<ImageFile>& files,
                                   const std::string& channels);

// The image's pixel bytes row by row (bottom first), each row cut to width pixels.
Bytes packedRows(const BmpImage& image);

// The row length the layout rules give: width x bits raised to a multiple of 32 bits.
std::int32_t expectedRowBytes(std::uint32_t width, std::uint32_t bitsPerPixel);
