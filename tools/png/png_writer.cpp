#include "png_writer.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writePng(const std::string& path, const PngPixels& pixels, std::string* error) {
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * pixels.channels;
    if (pixels.width <= 0 || pixels.height <= 0 || (pixels.channels != 3 && pixels.channels != 4) ||
        pixels.bytes.size() != rowBytes * static_cast<std::size_t>(pixels.height)) {
        *error = "no picture to write to \"" + path + "\"";
        return false;
    }
    // Through a stream of our own: libpng's file writer removes the path when a write fails,
    // and that path may be a device or a pipe.
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = "cannot write \"" + path + "\": " + std::strerror(errno);
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(pixels.width);
    image.height = static_cast<png_uint_32>(pixels.height);
    image.format = pixels.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // A negative stride tells libpng that the rows run bottom-up.
    const auto stride = -static_cast<png_int_32>(rowBytes);
    const bool encoded =
        png_image_write_to_stdio(&image, file, 0, pixels.bytes.data(), stride, nullptr) != 0;
    // A full disk shows only when the stream's buffer goes out.
    const bool flushed = encoded && std::fflush(file) == 0;
    std::string reason = encoded ? std::strerror(errno) : image.message;
    const bool closed = std::fclose(file) == 0;
    if (!flushed || !closed) {
        *error = "cannot write \"" + path + "\": " + (flushed ? std::strerror(errno) : reason);
        png_image_free(&image);
        return false;
    }
    return true;
}
