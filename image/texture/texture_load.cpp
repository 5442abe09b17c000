#include "texture_load.h"

#include "gallery/bmp_reader.h"
#include "texture_upload.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

constexpr std::size_t pathBufferBytes = 128;

// Whether `format` holds exactly one conversion, a d or i with optional flags and width,
// besides any "%%": the only kind that snprintf can safely be given one int for.
bool printsOneInteger(const char* format) {
    int conversions = 0;
    for (const char* c = format; *c != '\0'; ++c) {
        if (*c != '%') {
            continue;
        }
        ++c;
        if (*c == '%') {
            continue;
        }
        c += std::strspn(c, "-+ 0#123456789");
        if (*c != 'd' && *c != 'i') {
            return false;
        }
        ++conversions;
    }
    return conversions == 1;
}

// Why the reader returned no picture: the system's reason when the file cannot be opened or
// read, else its content.
std::string whyNotLoaded(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return std::strerror(errno);
    }
    std::fgetc(file);
    const int readError = std::ferror(file) != 0 ? errno : 0;
    std::fclose(file);
    return readError != 0 ? std::strerror(readError)
                          : "not an uncompressed 8-bit or 24-bit BMP picture";
}

bool loadInto(GLuint name, const char* path) {
    const auto image = readBmp(path);
    if (image == nullptr) {
        std::error_code error;
        const std::filesystem::path shown = std::filesystem::absolute(path, error);
        std::fprintf(stderr, "gallery: cannot load the picture \"%s\": %s; drawn without it\n",
                     (error ? std::filesystem::path(path) : shown).c_str(),
                     whyNotLoaded(path).c_str());
        return false;
    }
    uploadTexture(name, *image);
    return true;
}

} // namespace

bool loadTexture(GLuint& name, const char* path) {
    glGenTextures(1, &name);
    return loadInto(name, path);
}

void loadTextureSeries(GLuint* names, int count, const char* format, int firstNumber) {
    if (names == nullptr || count <= 0) {
        return;
    }
    glGenTextures(count, names);
    if (format == nullptr || !printsOneInteger(format)) {
        return;
    }
    for (int k = 0; k < count; ++k) {
        const long long number = static_cast<long long>(firstNumber) + k;
        if (number > INT_MAX) {
            return;
        }
        char path[pathBufferBytes] = {};
        const int length = std::snprintf(path, sizeof path, format, static_cast<int>(number));
        // A path too long for the buffer is not read cut short.
        if (length > 0 && static_cast<std::size_t>(length) < sizeof path) {
            loadInto(names[k], path);
        }
    }
}
