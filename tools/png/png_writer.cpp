#include "png_writer.h"

#include <png.h>

bool writePng(const std::string& path, const PngPixels& pixels, std::string* error) {
    const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * pixels.channels;
    if (pixels.width <= 0 || pixels.height <= 0 || (pixels.channels != 3 && pixels.channels != 4) ||
        pixels.bytes.size() != rowBytes * static_cast<std::size_t>(pixels.height)) {
        *error = "no picture to write to \"" + path + "\"";
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(pixels.width);
    image.height = static_cast<png_uint_32>(pixels.height);
    image.format = pixels.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // A negative stride tells libpng that the rows run bottom-up.
    const auto stride = -static_cast<png_int_32>(rowBytes);
    if (png_image_write_to_file(&image, path.c_str(), 0, pixels.bytes.data(), stride, nullptr) ==
        0) {
        *error = "cannot write \"" + path + "\": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}
