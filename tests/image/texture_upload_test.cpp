// uploadTexture on the real OpenGL (Mesa): the texture it leaves behind, read back.
#include "gallery/bmp_reader.h"
#include "gallery/tga_reader.h"
#include "image_test_support.h"
#include "texture_upload.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

struct UploadCase {
    const char* name;
    Bytes file;
    bool isBmp;
};

GLint textureLevel0(GLenum what) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &value);
    return value;
}

GLint textureParameter(GLenum what) {
    GLint value = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, what, &value);
    return value;
}

GLint integerState(GLenum what) {
    GLint value = -1;
    glGetIntegerv(what, &value);
    return value;
}

// The bound texture's level 0 as tightly packed RGB rows, bottom first.
Bytes boundTexturePixels(std::uint32_t width, std::uint32_t height) {
    Bytes pixels(std::size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The image's red, green and blue: the upload keeps three components whatever the format.
Bytes rgbOf(const BmpImage& image) {
    const Bytes rows = packedRows(image);
    if (image.bitsPerPixel == 24) {
        return rows;
    }
    Bytes rgb;
    for (std::size_t at = 0; at < rows.size(); at += 4) {
        rgb.insert(rgb.end(), rows.begin() + std::ptrdiff_t(at),
                   rows.begin() + std::ptrdiff_t(at) + 3);
    }
    return rgb;
}

class Upload : public testing::TestWithParam<UploadCase> {};

TEST_P(Upload, LeavesLevelZeroBoundWithLinearFiltersAndNicestHint) {
    const UploadCase& upload = GetParam();
    TempDir dir;
    writeBytes(dir.path("picture"), upload.file);
    const auto image =
        upload.isBmp ? readBmp(dir.path("picture").c_str()) : readTga(dir.path("picture").c_str());
    ASSERT_NE(image, nullptr);
    expandPalette(*image);

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, 0);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    uploadTexture(name, *image);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    EXPECT_EQ(integerState(GL_TEXTURE_BINDING_2D), GLint(name));
    EXPECT_EQ(textureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(textureLevel0(GL_TEXTURE_WIDTH), GLint(image->width));
    EXPECT_EQ(textureLevel0(GL_TEXTURE_HEIGHT), GLint(image->height));
    EXPECT_EQ(textureLevel0(GL_TEXTURE_INTERNAL_FORMAT), 3); // three components, as asked
    EXPECT_EQ(boundTexturePixels(image->width, image->height), rgbOf(*image));
    EXPECT_EQ(integerState(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
}

// Widths whose rows need padding, both BMP depths, and TGA pictures in RGBA.
const UploadCase uploadCases[] = {
    {"Bmp24Width5", bmpFile(distinctPicture(5, 3)), true},
    {"Bmp8Width3", bmpFile(distinctPicture(3, 4), {.bits = 8}), true},
    {"Bmp24Width1", bmpFile(distinctPicture(1, 7)), true},
    {"TgaRle32Width7", tgaFile(distinctPicture(7, 2), {.type = TgaType::Rle, .bits = 32}), false},
    {"TgaMapped32Width3", tgaFile(distinctPicture(3, 3), {.type = TgaType::Mapped, .bits = 32}),
     false},
};

INSTANTIATE_TEST_SUITE_P(Pictures, Upload, testing::ValuesIn(uploadCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
