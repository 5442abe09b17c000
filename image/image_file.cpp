#include "image_file.h"

#include <cstdint>
#include <cstdlib>

bool readExactly(std::FILE* file, void* into, std::size_t count) {
    return std::fread(into, 1, count, file) == count;
}

bool seekTo(std::FILE* file, std::uint64_t offset) {
    if (offset > static_cast<std::uint64_t>(INT64_MAX)) {
        return false;
    }
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0;
}

std::int64_t streamSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long size = std::ftell(file);
    std::rewind(file);
    return size;
}

unsigned char* allocateBytes(std::uint64_t count) {
    if (count == 0 || count > SIZE_MAX) {
        return nullptr;
    }
    return static_cast<unsigned char*>(std::calloc(static_cast<std::size_t>(count), 1));
}

std::unique_ptr<BmpImage> createImage(std::uint32_t width, std::uint32_t height,
                                      std::uint32_t bitsPerPixel, std::uint32_t format) {
    const std::int64_t rowBytes = paddedRowBytes(width, bitsPerPixel);
    if (width == 0 || height == 0 || rowBytes <= 0) {
        return nullptr;
    }
    auto image = std::make_unique<BmpImage>();
    // rowBytes < 2^31 and height < 2^32: the product fits 64 bits.
    image->pixels = allocateBytes(static_cast<std::uint64_t>(rowBytes) * height);
    if (image->pixels == nullptr) {
        return nullptr;
    }
    image->width = width;
    image->height = height;
    image->bitsPerPixel = bitsPerPixel;
    image->format = format;
    image->rowBytes = static_cast<std::int32_t>(rowBytes);
    return image;
}
